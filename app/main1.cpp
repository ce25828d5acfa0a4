// Construction of the main window: controls, menus, signal wiring; the file
// menu's exit and the help messages.
#include "main1.h"

#include "Desktop.h"
#include "LabelledDrawing.h"
#include "Takeoff.h"
#include "Utf8.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFont>
#include <QKeyEvent>
#include <QMenuBar>
#include <algorithm>

namespace {

// Client area in pixels; the controls are placed as on a designer form.
constexpr int kClientWidth = 790;
constexpr int kClientHeight = 396;
constexpr int kDimLabelX = 326, kDimFieldX = 432, kDimTop = 44, kDimRow = 30;
constexpr int kFinishX = 570, kFinishWidth = 196, kSideFieldX = 672;

QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& text, QRect geometry) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    return label;
}

QLabel* MakeHiddenLabel(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromUtf8(name));
    label->hide();
    return label;
}

// Fields with the input method disabled take only digits; the others start
// with it closed (latin input) but may be switched to Japanese.
TREdit* MakeEdit(QWidget* parent, int number, bool imeDisabled, QRect geometry) {
    auto* edit = new TREdit(parent);
    edit->setObjectName(QStringLiteral("REdit%1").arg(number));
    edit->setGeometry(geometry);
    if (imeDisabled) {
        edit->setAttribute(Qt::WA_InputMethodEnabled, false);
        edit->setInputMethodHints(Qt::ImhPreferNumbers | Qt::ImhNoPredictiveText);
    } else {
        edit->setInputMethodHints(Qt::ImhPreferLatin | Qt::ImhPreferNumbers);
    }
    return edit;
}

TComboBox* MakeCombo(QWidget* parent, const char* name, QRect geometry) {
    auto* combo = new TComboBox(parent);
    combo->setObjectName(U(name));
    combo->setGeometry(geometry);
    return combo;
}

QLabel* MakeFaceMark(QWidget* parent, const char* name, const char* text, const char* color) {
    auto* mark = MakeLabel(parent, U(name), U(text), QRect());
    mark->setStyleSheet(QStringLiteral("QLabel { color: white; background: %1; font-weight: bold;"
                                       " border: 1px solid black; padding: 1px 4px; }")
                            .arg(U(color)));
    mark->adjustSize();
    return mark;
}

} // namespace

TForm1::TForm1(yoheki::Dialogs& dialogs_, QStringList args, QWidget* parent)
    : QMainWindow(parent), Args(std::move(args)), dialogs(dialogs_) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(U("擁壁数量調書"));
    QFont font(U("ＭＳ ゴシック"));
    font.setPixelSize(12);
    setFont(font);
    BuildControls();
    BuildMenus();
    ConnectSignals();
    SetTabOrder();
    // Before the pane takes the room: the structure choice on the form must
    // move with the fields when the window grows.
    BuildDesktop(*this);
    BuildLiveView();
    BuildItemTable();
    FormCreate();
}

TForm1::~TForm1() {
    // The drawing's watcher reads this window's fields, which are no longer
    // this window's once the base class takes its children down.
    delete findChild<QObject*>(QLatin1String(kAreaStretchName));
    for (const LayoutRow& row : dimRows_ + sideRows_)
        for (QWidget* w : row.widgets)
            w->removeEventFilter(this);
    for (int n = 1; n <= 18; ++n)
        REdit(n)->removeEventFilter(this);
}

void TForm1::Attach(TForm2* form2, TLI_Menu* liMenu) {
    Form2 = form2;
    LI_Menu = liMenu;
}

TREdit* TForm1::REdit(int n) const {
    return fields_.at(n);
}

// ---------------------------------------------------------------- controls

void TForm1::BuildControls() {
    auto* area = new QWidget(this);
    area->setObjectName(QStringLiteral("ClientArea"));
    area->setMinimumSize(kClientWidth, kClientHeight);
    setCentralWidget(area);

    Label1 = MakeLabel(area, "Label1", U("名前"), QRect(12, 12, 40, 22));
    ComboBox1 = MakeCombo(area, "ComboBox1", QRect(56, 10, 256, 24));
    Button4 = new QPushButton(U("拾い追加"), area);
    Button4->setObjectName(QStringLiteral("Button4"));
    Button4->setGeometry(kDimLabelX, 9, 92, 26);
    Button3 = new QPushButton(U("拾い削除"), area);
    Button3->setObjectName(QStringLiteral("Button3"));
    Button3->setGeometry(kDimLabelX + 100, 9, 92, 26);
    Button3->hide();

    BuildPictures(area);
    BuildDimensionFields(area);
    BuildFinishFields(area);
    BuildPanelFields(area);
    BuildItemFields(area);
    NameFields();

    BuildColumns();
    Label21 = MakeHiddenLabel(area, "Label21");
    Label15 = MakeHiddenLabel(area, "Label15"); // no caption: kept so the numbering holds
    YH_H = MakeHiddenLabel(area, "YH_H");
    YH_U = MakeHiddenLabel(area, "YH_U");
    YH_T = MakeHiddenLabel(area, "YH_T");
    CB_H = MakeHiddenLabel(area, "CB_H");
    CB_U = MakeHiddenLabel(area, "CB_U");
    CB_T = MakeHiddenLabel(area, "CB_T");
}

// The drawing, the block drawing in its place and the face marks on it.
void TForm1::BuildPictures(QWidget* area) {
    Image1 = new TDrawingLabel(area);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(kImageRect);
    Image1->setFrameStyle(QFrame::Box | QFrame::Plain);
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setStyleSheet(QStringLiteral("QLabel { background: white; }"));
    Image2 = MakeLabel(area, "Image2", QString(), Image1->geometry());
    Image2->setFrameStyle(QFrame::Box | QFrame::Plain);
    Image2->setAlignment(Qt::AlignCenter);
    Image2->setStyleSheet(Image1->styleSheet());
    Image2->hide();
    StaticText1 = MakeFaceMark(area, "StaticText1", "表面", "navy");
    StaticText1->move(20, 52);
    StaticText2 = MakeFaceMark(area, "StaticText2", "裏面", "green");
    StaticText2->move(kImageRect.right() - 7 - StaticText2->width(), 52);
}

void TForm1::BuildDimensionFields(QWidget* area) {
    // Label and field of each row; REdit2..9 and 16, 18 take digits only.
    const char* captions[] = {"延べ長さ", "仕上げ高[表]", "仕上げ高[裏]", "根入長", "均しｺﾝ",
                              "砕石",     "ﾍﾞｰｽ幅",       "幅(W)",        "ﾍﾞｰｽ(B)"};
    QLabel** labels[] = {&Label2, &Label3, &Label4, &Label5, &Label6,
                         &Label7, &Label8, &Label9, &Label10};
    for (int row = 0; row < 9; ++row) {
        const int y = kDimTop + row * kDimRow;
        *labels[row] = MakeLabel(area, QStringLiteral("Label%1").arg(row + 2), U(captions[row]),
                                 QRect(kDimLabelX, y + 2, 104, 22));
        fields_[row + 1] = MakeEdit(area, row + 1, row >= 1, QRect(kDimFieldX, y, 80, 24));
    }
    Label11 = MakeLabel(area, "Label11", U("（㎜）"), QRect(kDimFieldX + 84, kDimTop + 2, 40, 22));
    fields_[10] = MakeEdit(area, 10, false, QRect(kSideFieldX, 1, 94, 24));
    fields_[17] = MakeEdit(area, 17, false, QRect(kDimFieldX + 56, 0, 80, 24));
    fields_[18] = MakeEdit(area, 18, true, QRect(kSideFieldX, 1, 56, 24));
    fields_[18]->setText(U("70"));
    fields_[10]->hide();
    fields_[17]->hide();
    Label20 = MakeLabel(area, "Label20", U("設計GLと平均GLの差"), QRect(kDimLabelX, 2, 150, 22));
    Label20->hide();
}

void TForm1::BuildFinishFields(QWidget* area) {
    Label12 = MakeLabel(area, "Label12", U("仕上[表面]"), QRect(kFinishX, 0, kFinishWidth, 20));
    ComboBox2 = MakeCombo(area, "ComboBox2", QRect(kFinishX, 20, kFinishWidth, 24));
    Label13 = MakeLabel(area, "Label13", U("仕上[裏面]"), QRect(kFinishX, 0, kFinishWidth, 20));
    ComboBox3 = MakeCombo(area, "ComboBox3", QRect(kFinishX, 20, kFinishWidth, 24));
    Label14 = MakeLabel(area, "Label14", U("仕上[天端]"), QRect(kFinishX, 0, kFinishWidth, 20));
    ComboBox4 = MakeCombo(area, "ComboBox4", QRect(kFinishX, 20, kFinishWidth, 24));

    auto check = [area](const char* name, const char* text, int y) {
        auto* box = new QCheckBox(U(text), area);
        box->setObjectName(U(name));
        box->setGeometry(kFinishX, y, 100, 22);
        return box;
    };
    auto button = [area](const char* name, const char* text, int y) {
        auto* b = new QPushButton(U(text), area);
        b->setObjectName(U(name));
        b->setGeometry(kSideFieldX, y, 94, 26);
        b->hide();
        return b;
    };
    // The bar rate and the reinforcement button may both be on screen (after
    // the reinforcement panel closes), so they do not share a place.
    CheckBox1 = check("CheckBox1", "鉄筋計算", 3);
    Button2 = button("Button2", "鉄筋設定", 0);
    CheckBox2 = check("CheckBox2", "水抜きﾊﾟｲﾌﾟ", 3);
    CheckBox3 = check("CheckBox3", "ＣＢの有無", 3);
    Button1 = button("Button1", "ＣＢ設定", 0);
    rateUnit_ = MakeLabel(area, "RateUnit", U("㎏/m³"), QRect(kSideFieldX + 60, 4, 50, 22));
}

void TForm1::BuildPanelFields(QWidget* area) {
    // Block panel: height and width of the blocks, placed on the block drawing.
    fields_[11] = MakeEdit(area, 11, false, QRect(kBlockHeightField));
    fields_[16] = MakeEdit(area, 16, true, QRect(kBlockWidthField));
    fields_[11]->hide();
    fields_[16]->hide();
    BuildBarRows(area);
}

void TForm1::BuildBarRows(QWidget* area) {
    // Reinforcement panel: bar size, pitch label and pitch of the four bar groups.
    struct Row {
        TRadioGroup** group;
        const char* groupName;
        const char* caption;
        QLabel** label;
        const char* labelName;
        const char* labelText;
        int field;
    };
    const Row rows[] = {
        {&RG_BL, "RG_BL", "ベース筋(主)", &Label16, "Label16", "(主)ﾋﾟｯﾁ(＠)", 12},
        {&RG_HL, "RG_HL", "ベース筋(配)", &Label18, "Label18", "(配)ﾋﾟｯﾁ(＠)", 14},
        {&RG_TL, "RG_TL", "立上り(ﾀﾃ)", &Label17, "Label17", "(ﾀﾃ)ﾋﾟｯﾁ(＠)", 13},
        {&RG_YL, "RG_YL", "立上り(ﾖｺ)", &Label19, "Label19", "(ﾖｺ)ﾋﾟｯﾁ(＠)", 15},
    };
    int y = 84;
    for (const Row& r : rows) {
        *r.group = new TRadioGroup(U(r.caption), area);
        (*r.group)->setObjectName(U(r.groupName));
        (*r.group)->setGeometry(12, y, 250, 48);
        (*r.group)->hide();
        *r.label = MakeLabel(area, r.labelName, U(r.labelText), QRect(274, y + 18, 104, 22));
        (*r.label)->hide();
        fields_[r.field] = MakeEdit(area, r.field, false, QRect(382, y + 16, 80, 24));
        fields_[r.field]->hide();
        y += 56;
    }
    CheckBox5 = new QCheckBox(U("ﾍﾞｰｽ：複筋"), area);
    CheckBox5->setObjectName(QStringLiteral("CheckBox5"));
    CheckBox5->setGeometry(16, y + 4, 130, 22);
    CheckBox5->hide();
    CheckBox6 = new QCheckBox(U("立上り：複筋"), area);
    CheckBox6->setObjectName(QStringLiteral("CheckBox6"));
    CheckBox6->setGeometry(160, y + 4, 130, 22);
    CheckBox6->hide();
}

void TForm1::NameFields() {
    TREdit** named[] = {nullptr,  &REdit1,  &REdit2,  &REdit3,  &REdit4,  &REdit5,  &REdit6,
                        &REdit7,  &REdit8,  &REdit9,  &REdit10, &REdit11, &REdit12, &REdit13,
                        &REdit14, &REdit15, &REdit16, &REdit17, &REdit18};
    for (int n = 1; n <= 18; ++n)
        *named[n] = fields_[n];
}

// ---------------------------------------------------------------- columns

// The dimension column and the finish column close up over the rows a screen
// hides, so the base and ditch screens show no holes. Each widget keeps its
// place within its row.
void TForm1::AddRow(QList<LayoutRow>& column, QList<QWidget*> widgets, int height, int gap) {
    int top = widgets.first()->y();
    for (QWidget* w : widgets)
        top = std::min(top, w->y());
    LayoutRow row{widgets, {}, height, gap};
    for (QWidget* w : widgets) {
        row.dy << w->y() - top;
        w->installEventFilter(this);
    }
    column << row;
}

void TForm1::BuildColumns() {
    AddRow(dimRows_, {Label2, REdit1, Label11}, kDimRow);
    QLabel* labels[] = {Label3, Label4, Label5, Label6, Label7, Label8, Label9, Label10};
    for (int n = 2; n <= 9; ++n)
        AddRow(dimRows_, {labels[n - 2], REdit(n)}, kDimRow);
    AddRow(dimRows_, {Label20, REdit17}, kDimRow, 10);
    AddRow(sideRows_, {Label12, ComboBox2}, 50);
    AddRow(sideRows_, {Label13, ComboBox3}, 50);
    AddRow(sideRows_, {Label14, ComboBox4}, 50);
    AddRow(sideRows_, {CheckBox1, REdit18, rateUnit_}, 32, 6);
    AddRow(sideRows_, {Button2}, 32);
    AddRow(sideRows_, {CheckBox2, REdit10}, 32);
    AddRow(sideRows_, {CheckBox3, Button1}, 32);
    Relayout();
}

void TForm1::Relayout() {
    for (const QList<LayoutRow>* column : {&dimRows_, &sideRows_}) {
        int y = kDimTop;
        for (const LayoutRow& row : *column) {
            if (std::all_of(row.widgets.begin(), row.widgets.end(),
                            [](QWidget* w) { return w->isHidden(); }))
                continue;
            y += row.gap;
            for (int i = 0; i < row.widgets.size(); ++i)
                row.widgets[i]->move(row.widgets[i]->x(), y + row.dy[i]);
            y += row.height;
        }
    }
}

// ---------------------------------------------------------------- menus

QAction* TForm1::AddEntry(QMenu* menu, const char* caption, const char* name) {
    QAction* action = menu->addAction(U(caption));
    action->setObjectName(U(name));
    return action;
}

QAction* TForm1::AddSeparator(QMenu* menu, const char* name) {
    QAction* action = menu->addSeparator();
    action->setObjectName(U(name));
    return action;
}

QMenu* TForm1::AddSubmenu(QMenu* parent, const char* caption, const char* name, QAction** entry) {
    QMenu* menu = parent ? parent->addMenu(U(caption)) : menuBar()->addMenu(U(caption));
    menu->setObjectName(U(name) + QStringLiteral("Menu"));
    menu->menuAction()->setObjectName(U(name));
    *entry = menu->menuAction();
    return menu;
}

void TForm1::BuildMenus() {
    menuBar()->setObjectName(QStringLiteral("MainMenu1"));
    File1Menu = AddSubmenu(nullptr, "ﾌｧｲﾙ(&F)", "File1", &File1);
    F1 = AddEntry(File1Menu, "物件選択(&F)", "F1");
    N7 = AddSeparator(File1Menu, "N7");
    Exit1 = AddEntry(File1Menu, "終了(&Q)", "Exit1");

    BuildConditionMenu();
    BuildRunMenu();

    S3Menu = AddSubmenu(nullptr, "オプション(&S)", "S3", &S3);
    B1 = AddEntry(S3Menu, "ベース(&B)", "B1");
    U2 = AddEntry(S3Menu, "Ｕ型側溝(&U)", "U2");
    N31 = AddSeparator(S3Menu, "N31");
    N32 = AddEntry(S3Menu, "デフォルト(&D)", "N32");
    for (QAction* a : {B1, U2})
        a->setCheckable(true);

    BuildHelpMenu();
    BuildDrawingMenu();
}

void TForm1::BuildConditionMenu() {
    J1Menu = AddSubmenu(nullptr, "条件(&J)", "J1", &J1);
    N1Menu = AddSubmenu(J1Menu, "根切要項(&B)", "N1", &N1);
    S1 = AddEntry(N1Menu, "積算基準(&S)", "S1");
    Y1 = AddEntry(N1Menu, "余幅のみ[500](&Y)", "Y1");
    N6061 = AddEntry(N1Menu, "60度勾配[+500](&6)", "N6061");
    N4541 = AddEntry(N1Menu, "45度勾配[+500](&4)", "N4541");
    S2Menu = AddSubmenu(J1Menu, "埋戻し土(&S)", "S2", &S2);
    K3 = AddEntry(S2Menu, "根切り土使用(&K)", "K3");
    M2 = AddEntry(S2Menu, "搬入土(山砂等使用)(&M)", "M2");
    N2Menu = AddSubmenu(J1Menu, "地業出幅(&A)", "N2", &N2);
    N1001 = AddEntry(N2Menu, "出幅=100(&1)", "N1001");
    N5051 = AddEntry(N2Menu, "出幅=50(&5)", "N5051");
    N001 = AddEntry(N2Menu, "出幅=0(&0)", "N001");
    N3Menu = AddSubmenu(J1Menu, "根入差有無(&N)", "N3", &N3);
    N4 = AddEntry(N3Menu, "根入差：有", "N4");
    N5 = AddEntry(N3Menu, "根入差：無", "N5");
    K2Menu = AddSubmenu(J1Menu, "簡易山止(&K)", "K2", &K2);
    N8 = AddEntry(K2Menu, "なし(&N)", "N8");
    H1 = AddEntry(K2Menu, "表面のみ(&H)", "H1");
    U1 = AddEntry(K2Menu, "裏面のみ(&U)", "U1");
    R2 = AddEntry(K2Menu, "両面(&R)", "R2");
    N21Menu = AddSubmenu(J1Menu, "ﾀｲﾙ･塗装等下地(&T)", "N21", &N21);
    N22 = AddEntry(N21Menu, "打放補修(&V)", "N22");
    M1 = AddEntry(N21Menu, "モルタル(&M)", "M1");
    N110 = AddEntry(N21Menu, "特殊下地：打放有(&1)", "N110");
    N23 = AddEntry(N21Menu, "特殊下地：打放無(&2)", "N23");
    A1 = AddEntry(J1Menu, "根切ﾗｲﾝ差異(&A)", "A1");
    N28 = AddSeparator(J1Menu, "N28");
    D2 = AddEntry(J1Menu, "画面表示(&D)", "D2");
    for (QAction* a : {S1, Y1, N6061, N4541, K3,  M2, N1001, N5051, N001, N4, N5,
                       N8, H1, U1,    R2,    N22, M1, N110,  N23,   A1,   D2})
        a->setCheckable(true);
}

void TForm1::BuildRunMenu() {
    I1Menu = AddSubmenu(nullptr, "数量算出(&I)", "I1", &I1);
    D1 = AddEntry(I1Menu, "演算実行(&D)", "D1");
    T1 = AddEntry(I1Menu, "ﾃｷｽﾄ出力(&T)", "T1");
    N6 = AddSeparator(I1Menu, "N6");
    Print1 = AddEntry(I1Menu, "印刷(&P)", "Print1");
    A2 = AddEntry(I1Menu, "全印刷(&A)", "A2");
    PrintPreview1 = AddEntry(I1Menu, "印刷プレビュー(&V)", "PrintPreview1");
    N30 = AddSeparator(I1Menu, "N30");
    FileE1 = AddEntry(I1Menu, "編集File印刷[β版](&E)", "FileE1");
    N33 = AddSeparator(I1Menu, "N33");
    S4 = AddEntry(I1Menu, "数量集計(&S)", "S4");
    // The edit-file print tool is offered only in test mode.
    N30->setVisible(false);
    FileE1->setVisible(false);
}

void TForm1::BuildHelpMenu() {
    HelpH1Menu = AddSubmenu(nullptr, "Help(&H)", "HelpH1", &HelpH1);
    R1 = AddEntry(HelpH1Menu, "ルール(&R)", "R1");
    N9 = AddSeparator(HelpH1Menu, "N9");
    HelpH2Menu = AddSubmenu(HelpH1Menu, "Help", "HelpH2", &HelpH2);
    J2Menu = AddSubmenu(HelpH2Menu, "条件", "J2", &J2);
    N10 = AddEntry(J2Menu, "根切要綱", "N10");
    N11 = AddEntry(J2Menu, "地業出幅", "N11");
    N12 = AddEntry(J2Menu, "根入差有無", "N12");
    N13 = AddEntry(J2Menu, "簡易山止", "N13");
    N27 = AddEntry(J2Menu, "鉄筋", "N27");
    N14Menu = AddSubmenu(HelpH2Menu, "数量表示", "N14", &N14);
    N15 = AddEntry(N14Menu, "実行", "N15");
    N16 = AddEntry(N14Menu, "テキスト出力", "N16");
    N17 = AddSeparator(N14Menu, "N17");
    N18 = AddEntry(N14Menu, "計算式有無", "N18");
    N19Menu = AddSubmenu(HelpH2Menu, "下地処理", "N19", &N19);
    N20 = AddEntry(N19Menu, "石張下地", "N20");
    N24 = AddEntry(N19Menu, "吹付・タイル下地", "N24");
    N25 = AddEntry(N19Menu, "その他下地", "N25");
    N26 = AddEntry(N19Menu, "ＣＢ下地", "N26");
    N29 = AddSeparator(HelpH2Menu, "N29");
    Q1 = AddEntry(HelpH2Menu, "連続Text出力(&Q)", "Q1");
    E1 = AddEntry(HelpH2Menu, "標準仕上編集(&E)", "E1");
    Q1->setCheckable(true);
}

// ---------------------------------------------------------------- wiring

// The handlers own the check marks (a setter unchecks its whole group, B1Click
// decides by the mark as it was), so the toggle Qt applies to a checkable
// entry before `triggered` is undone first.
void TForm1::Connect(QAction* action, void (TForm1::*handler)()) {
    connect(action, &QAction::triggered, this, [this, action, handler] {
        if (action->isCheckable())
            action->setChecked(!action->isChecked());
        (this->*handler)();
    });
}

void TForm1::ConnectSignals() {
    ConnectMenus();
    ConnectDrawingMenu();
    ConnectConditionMenus();
    connect(CheckBox1, &QCheckBox::toggled, this, &TForm1::CheckBox1Click);
    connect(CheckBox2, &QCheckBox::toggled, this, &TForm1::CheckBox2Click);
    connect(CheckBox3, &QCheckBox::toggled, this, &TForm1::CheckBox3Click);
    connect(Button1, &QPushButton::clicked, this, &TForm1::Button1Click);
    connect(Button2, &QPushButton::clicked, this, &TForm1::Button2Click);
    connect(Button3, &QPushButton::clicked, this, &TForm1::Button3Click);
    connect(Button4, &QPushButton::clicked, this, &TForm1::Button4Click);
    FollowItemCount(*this);
    connect(ComboBox1->lineEdit(), &QLineEdit::returnPressed, this, &TForm1::NameEntered);
    // Change handlers run on the user's choice or typing only, never when
    // code sets the index.
    connect(ComboBox1, &TComboBox::DropDown, this, &TForm1::ComboBox1DropDown);
    connect(ComboBox1, &QComboBox::activated, this, &TForm1::ComboBox1Change);
    connect(ComboBox1->lineEdit(), &QLineEdit::textEdited, this, &TForm1::ComboBox1Change);
    connect(ComboBox2, &QComboBox::activated, this, &TForm1::ComboBox2Change);
    connect(ComboBox2->lineEdit(), &QLineEdit::textEdited, this, &TForm1::ComboBox2Change);
    // Every numeric field sees its Enter here: the pitch fields have their
    // own rule, the others move on as Tab does. The row fields already have
    // this filter for the column layout; a second install does nothing.
    for (int n = 1; n <= 18; ++n)
        REdit(n)->installEventFilter(this);
}

void TForm1::ConnectMenus() {
    Connect(F1, &TForm1::F1Click);
    Connect(Exit1, &TForm1::Exit1Click);
    Connect(A1, &TForm1::A1Click);
    Connect(D2, &TForm1::D2Click);
    Connect(D1, &TForm1::D1Click);
    Connect(T1, &TForm1::T1Click);
    Connect(Print1, &TForm1::Print1Click);
    Connect(A2, &TForm1::A2Click);
    Connect(PrintPreview1, &TForm1::PrintPreview1Click);
    Connect(FileE1, &TForm1::FileE1Click);
    Connect(S4, &TForm1::S4Click);
    Connect(B1, &TForm1::B1Click);
    Connect(U2, &TForm1::U2Click);
    Connect(N32, &TForm1::N32Click);
    Connect(R1, &TForm1::R1Click);
    Connect(N10, &TForm1::N10Click);
    Connect(N11, &TForm1::N11Click);
    Connect(N12, &TForm1::N12Click);
    Connect(N13, &TForm1::N13Click);
    Connect(N27, &TForm1::N27Click);
    Connect(N15, &TForm1::N15Click);
    Connect(N16, &TForm1::N16Click);
    Connect(N18, &TForm1::N18Click);
    Connect(N20, &TForm1::N20Click);
    Connect(N24, &TForm1::N24Click);
    Connect(N25, &TForm1::N25Click);
    Connect(N26, &TForm1::N26Click);
    Connect(Q1, &TForm1::Q1Click);
    Connect(E1, &TForm1::E1Click);
}

void TForm1::ConnectConditionMenus() {
    Connect(S1, &TForm1::S1Click);
    Connect(Y1, &TForm1::Y1Click);
    Connect(N6061, &TForm1::N6061Click);
    Connect(N4541, &TForm1::N4541Click);
    Connect(N1001, &TForm1::N1001Click);
    Connect(N5051, &TForm1::N5051Click);
    Connect(N001, &TForm1::N001Click);
    Connect(N4, &TForm1::N4Click);
    Connect(N5, &TForm1::N5Click);
    Connect(N8, &TForm1::N8Click);
    Connect(H1, &TForm1::H1Click);
    Connect(U1, &TForm1::U1Click);
    Connect(R2, &TForm1::R2Click);
    Connect(N22, &TForm1::N22Click);
    Connect(M1, &TForm1::M1Click);
    Connect(N110, &TForm1::N110Click);
    Connect(N23, &TForm1::N23Click);
    Connect(K3, &TForm1::K3Click);
    Connect(M2, &TForm1::M2Click);
}

// ---------------------------------------------------------------- ending

void TForm1::Terminate() {
    terminated = true;
    close();
}

void TForm1::TerminateNow() {
    terminated = true;
    skipFormClose_ = true;
    close();
}

void TForm1::Exit1Click() {
    close();
}

void TForm1::closeEvent(QCloseEvent* event) {
    // A save that failed or a question cancelled keeps the window open;
    // anything else that goes wrong while closing is shown and the window closes.
    if (!skipFormClose_) {
        try {
            if (!FormClose()) {
                terminated = false;
                event->ignore();
                return;
            }
        } catch (const std::exception& e) {
            dialogs.message(QString::fromUtf8(e.what()));
        }
    }
    skipFormClose_ = true; // a second close must not save again
    terminated = true;
    event->accept();
    emit Closed();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ShowToParent || event->type() == QEvent::HideToParent) {
        if (watched == REdit18)
            rateUnit_->setVisible(!REdit18->isHidden());
        Relayout();
        return false;
    }
    if (event->type() != QEvent::KeyPress)
        return QMainWindow::eventFilter(watched, event);
    auto* keyEvent = static_cast<QKeyEvent*>(event);
    if (keyEvent->key() != Qt::Key_Return && keyEvent->key() != Qt::Key_Enter)
        return false;
    QChar key(u'\r');
    if (watched == REdit12)
        REdit12KeyPress(key);
    else if (watched == REdit13)
        REdit13KeyPress(key);
    else if (watched == REdit14)
        REdit14KeyPress(key);
    else if (watched == REdit15)
        REdit15KeyPress(key);
    else if (auto* field = qobject_cast<TREdit*>(watched))
        EnterMovesOn(field, key);
    return key.isNull();
}

// Dimensions are typed one after another: Enter ends a field and goes to the
// next one along the tab order, so "12000⏎1500" fills two fields.
void TForm1::EnterMovesOn(TREdit* field, QChar& key) {
    field->setFocus(Qt::TabFocusReason);
    focusNextChild();
    key = QChar();
}

// ---------------------------------------------------------------- help

void TForm1::R1Click() {
    const QString nl = U("\n\r");
    const QString indent(4, QChar(0x3000));
    dialogs.message(U("擁壁数量調書　Ｌ型擁壁・設備基礎・Ｕ型側溝の数量拾い") + nl + indent +
                    U("Ver 1.20") + nl + U("作成：積算システム開発室") + nl +
                    U("演算結果については検証の上採用してください"));
}

void TForm1::N10Click() {
    dialogs.message(U("余幅は500(=新積算基準)"));
}
void TForm1::N11Click() {
    dialogs.message(U("簡易山止がある場合は強制的に50に固定"));
}
void TForm1::N12Click() {
    dialogs.message(U("仕上高さのレベル差を採用"));
}
void TForm1::N13Click() {
    dialogs.message(U("仕上高さごとに長さで出力"));
}
void TForm1::N27Click() {
    dialogs.message(U("千鳥配筋は考慮しておりません\n\rですので適当にピッチは端折って下さい"));
}
void TForm1::N15Click() {
    dialogs.message(U("演算結果を画面表示"));
}
void TForm1::N16Click() {
    dialogs.message(U("演算結果をテキストに出力"));
}
void TForm1::N18Click() {
    dialogs.message(U("演算結果表示に計算式を含めるかどうか"));
}
void TForm1::N20Click() {
    dialogs.message(U("仕上げ名に「石」がある場合\n\r「調」が入って無い場合は計上しません"));
}
void TForm1::N24Click() {
    dialogs.message(U("下地処理条件によります\n\r吹、Ｔまたはタが入って居れば処理します"));
}
void TForm1::N25Click() {
    dialogs.message(U("下地処理条件によります"));
}
void TForm1::N26Click() {
    dialogs.message(U("打放下地で仕上げがタイルの場合は強制的にモルタルをみます\n\rその他は下地処理"
                      "条件によります"));
}

// ---------------------------------------------------------------- fonts

void InstallFontSubstitutes() {
    static bool done = false;
    if (done)
        return;
    done = true;
#ifdef Q_OS_WIN
    // The Japanese faces of Windows first, by their English names (a desk
    // with another language lists them so), the IPA fonts where none is.
    QFont::insertSubstitutions(U("ＭＳ ゴシック"), {QStringLiteral("MS Gothic"), QStringLiteral("Yu Gothic"),
                                                  QStringLiteral("Meiryo"), QStringLiteral("IPAGothic")});
    QFont::insertSubstitutions(U("ＭＳ 明朝"), {QStringLiteral("MS Mincho"), QStringLiteral("Yu Mincho"),
                                                QStringLiteral("IPAMincho")});
#else
    QFont::insertSubstitution(U("ＭＳ ゴシック"), QStringLiteral("IPAGothic"));
    QFont::insertSubstitution(U("ＭＳ 明朝"), QStringLiteral("IPAMincho"));
#endif
}

// No display name of its own: the platform would add it behind every window
// title that does not already end with it, "擁壁数量調書：物件 — 擁壁数量調書".
// Unset, the display name is the program's name and adds nothing.
void NameApplication() {
    QApplication::setApplicationName(U("擁壁数量調書"));
}
