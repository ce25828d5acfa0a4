#include "PrnSys.h"

#include "StatementPdf.h"
#include "StatementPreview.h"

#include <QLabel>
#include <QPrinter>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

TForm2::TForm2(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("Form2"));
    auto* layout = new QVBoxLayout(this);
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    Edit1 = new QLineEdit(QStringLiteral("500"), this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit2 = new QLineEdit(this);
    Edit2->setObjectName(QStringLiteral("Edit2"));
    auto* label1 = new QLabel(QStringLiteral("Data Name"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    label1->setBuddy(Edit1);
    layout->addWidget(label1);
    layout->addWidget(Edit1);
    layout->addWidget(Edit2);
    layout->addWidget(ListBox1);
}

QStringList TForm2::Lines() const {
    QStringList out;
    out.reserve(ListBox1->count());
    for (int i = 0; i < ListBox1->count(); ++i)
        out << ListBox1->item(i)->text();
    return out;
}

void TForm2::SetLines(const QStringList& lines) {
    ListBox1->clear();
    ListBox1->addItems(lines);
}

TForm2::~TForm2() = default;

StatementPage TForm2::Page(StructureMode mode) const {
    StatementPage page{Edit1->text(), Edit2->text(), mode, Lines(), Section};
    if (TitleBlockOn)
        page.titleBlock = TitleBlock{ProjectName, Edit1->text(), QDate::currentDate(), 1, 1};
    return page;
}

QPrinter& TForm2::Printer() {
    if (!printer_)
        printer_ = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *printer_;
}

PrintResult TForm2::Print(StructureMode mode) {
    if (!PageSink)
        return PrintStatement(Printer(), Page(mode));
    PageSink(Page(mode));
    return {true, QString()};
}

void TForm2::BeginDocument(const QString& title, int pages) {
    document_.reset();
    documentPages_ = 0;
    documentSize_ = pages;
    if (PageSink)
        return;
    Printer().setDocName(title);
    document_ = std::make_unique<StatementDocument>(Printer());
    if (Printer().printRange() == QPrinter::PageRange)
        document_->SetRange(Printer().fromPage(), Printer().toPage());
}

bool TForm2::AddPage(StructureMode mode) {
    StatementPage page = Page(mode);
    if (page.titleBlock) {
        page.titleBlock->page = documentPages_ + 1;
        page.titleBlock->pages = std::max(documentSize_, documentPages_ + 1);
    }
    if (PageSink)
        PageSink(page);
    else if (!document_ || !document_->Add(page))
        return false;
    ++documentPages_;
    return true;
}

int TForm2::EndDocument() {
    const int printed = document_ ? document_->Pages() : documentPages_;
    document_.reset(); // ends the job
    documentPages_ = 0;
    return printed;
}

void TForm2::Preview(const QList<StatementPage>& pages, QWidget* parent) {
    if (PreviewSink)
        PreviewSink(pages);
    else
        PreviewStatements(Printer(), pages, parent, MayPrint);
}

PrintResult PrintStatement(QPrinter& printer, const StatementPage& page) {
    printer.setDocName(page.title);
    return PrintStatement(static_cast<QPaintDevice&>(printer), page);
}

PrintResult PrintStatement(const TForm2& form, StructureMode mode, QPaintDevice& device) {
    if (auto* printer = dynamic_cast<QPrinter*>(&device))
        return PrintStatement(*printer, form.Page(mode));
    return PrintStatement(device, form.Page(mode));
}
