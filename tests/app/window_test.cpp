// The main window as built: controls, menu tree, help messages, ending.
#include "AppFixture.h"
#include "Utf8.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QScreen>
#include <QSettings>
#include <QToolBar>

namespace {

using WindowTest = AppFixture;

struct Entry {
    const char* name;
    const char* caption; // nullptr for a separator
};

// Every menu with its entries in order.
const std::vector<std::pair<const char*, std::vector<Entry>>> kMenus = {
    {"File1Menu",
     {{"FileNew", "新規工事(&N)…"},
      {"F1", "開く(物件選択)(&O)…"},
      {"FileSave", "保存(&S)"},
      {"FileSaveAs", "名前を付けて保存(&A)…"},
      {"FileSep1", nullptr},
      {"DxfOut1", "DXF出力(&X)..."},
      {"FileSep2", nullptr},
      {"Recent1", "最近使った工事(&R)"},
      {"N7", nullptr},
      {"Exit1", "終了(&Q)"}}},
    {"V1Menu",
     {{"SectionDrawing1", "寸法図(&Z)"},
      {"StandardDrawing1", "標準図(&K)"},
      {"N34", nullptr},
      {"ItemTable1", "拾い一覧(&L)"}}},
    {"EditMenu",
     {{"EditUndo", "取り消し(&U)"},
      {"EditRedo", "やり直し(&R)"},
      {nullptr, nullptr},
      {"EditRevert", "元に戻す(&V)"}}},
    {"ToolsMenu", {{"Q1", "連続Text出力(&Q)"}, {"E1", "標準仕上編集(&E)"}}},
    {"J1Menu",
     {{"N1", "根切要項(&B)"},
      {"S2", "埋戻し土(&S)"},
      {"N2", "地業出幅(&A)"},
      {"N3", "根入差有無(&N)"},
      {"K2", "簡易山止(&K)"},
      {"N21", "ﾀｲﾙ･塗装等下地(&T)"},
      {"A1", "根切ﾗｲﾝ差異(&A)"},
      {"N28", nullptr},
      {"D2", "画面表示(&D)"}}},
    {"N1Menu",
     {{"S1", "積算基準(&S)"},
      {"Y1", "余幅のみ[500](&Y)"},
      {"N6061", "60度勾配[+500](&6)"},
      {"N4541", "45度勾配[+500](&4)"}}},
    {"S2Menu", {{"K3", "根切り土使用(&K)"}, {"M2", "搬入土(山砂等使用)(&M)"}}},
    {"N2Menu", {{"N1001", "出幅=100(&1)"}, {"N5051", "出幅=50(&5)"}, {"N001", "出幅=0(&0)"}}},
    {"N3Menu", {{"N4", "根入差：有"}, {"N5", "根入差：無"}}},
    {"K2Menu",
     {{"N8", "なし(&N)"}, {"H1", "表面のみ(&H)"}, {"U1", "裏面のみ(&U)"}, {"R2", "両面(&R)"}}},
    {"N21Menu",
     {{"N22", "打放補修(&V)"},
      {"M1", "モルタル(&M)"},
      {"N110", "特殊下地：打放有(&1)"},
      {"N23", "特殊下地：打放無(&2)"}}},
    {"I1Menu",
     {{"D1", "演算実行(&D)"},
      {"T1", "ﾃｷｽﾄ出力(&T)"},
      {"Q1", "連続Text出力(&Q)"},
      {"N6", nullptr},
      {"Print1", "印刷(&P)"},
      {"A2", "全印刷(&A)"},
      {"PrintPreview1", "印刷プレビュー(&V)"},
      {"N30", nullptr},
      {"FileE1", "編集File印刷[β版](&E)"},
      {"N33", nullptr},
      {"S4", "数量集計(&S)"},
      {"RunSep1", nullptr},
      {"E1", "標準仕上編集(&E)"}}},
    {"S3Menu",
     {{"B1", "ベース(&B)"}, {"U2", "Ｕ型側溝(&U)"}, {"N31", nullptr}, {"N32", "デフォルト(&D)"}}},
    {"HelpH1Menu",
     {{"Manual", "マニュアル(&M)"},
      {"HelpSep1", nullptr},
      {"R1", "ルール(&R)"},
      {"N9", nullptr},
      {"HelpH2", "Help"}}},
    {"HelpH2Menu",
     {{"J2", "条件"},
      {"N14", "数量表示"},
      {"N19", "下地処理"},
      {"N29", nullptr},
      {"Q1", "連続Text出力(&Q)"},
      {"E1", "標準仕上編集(&E)"}}},
    {"J2Menu",
     {{"N10", "根切要綱"},
      {"N11", "地業出幅"},
      {"N12", "根入差有無"},
      {"N13", "簡易山止"},
      {"N27", "鉄筋"}}},
    {"N14Menu",
     {{"N15", "実行"}, {"N16", "テキスト出力"}, {"N17", nullptr}, {"N18", "計算式有無"}}},
    {"N19Menu",
     {{"N20", "石張下地"},
      {"N24", "吹付・タイル下地"},
      {"N25", "その他下地"},
      {"N26", "ＣＢ下地"}}},
};

TEST_F(WindowTest, MenuTreeHasEveryEntryInOrderWithItsCaption) {
    QStringList bar;
    for (QAction* a : form->menuBar()->actions())
        bar << a->objectName() + QLatin1Char('=') + a->text();
    EXPECT_EQ(bar, QStringList({"File1=" + U("ﾌｧｲﾙ(&F)"), "Edit1=" + U("編集(&E)"),
                                "J1=" + U("条件(&J)"), "I1=" + U("数量算出(&I)"),
                                "S3=" + U("オプション(&S)"), "V1=" + U("表示(&V)"),
                                "Tools1=" + U("ツール(&T)"), "HelpH1=" + U("Help(&H)")}));
    for (const auto& [menuName, entries] : kMenus) {
        auto* menu = form->findChild<QMenu*>(U(menuName));
        ASSERT_NE(menu, nullptr) << menuName;
        const QList<QAction*> actions = menu->actions();
        ASSERT_EQ(actions.size(), static_cast<int>(entries.size())) << menuName;
        for (std::size_t i = 0; i < entries.size(); ++i) {
            EXPECT_EQ(actions[i]->objectName(), U(entries[i].name ? entries[i].name : ""))
                << menuName;
            EXPECT_EQ(actions[i]->isSeparator(), entries[i].caption == nullptr) << menuName << i;
            // The condition groups already show the default conditions.
            const bool group =
                entries[i].name &&
                QStringList({"N1", "S2", "N2", "N3", "K2", "N21"}).contains(U(entries[i].name));
            if (entries[i].caption && !group) {
                EXPECT_EQ(actions[i]->text(), U(entries[i].caption));
            }
        }
    }
}

TEST_F(WindowTest, CheckMarksTestModeEntriesAndMemberPointers) {
    const QList<QAction*> checkable = {form->S1,  form->Y1,    form->N6061, form->N4541, form->K3,
                                       form->M2,  form->N1001, form->N5051, form->N001,  form->N4,
                                       form->N5,  form->N8,    form->H1,    form->U1,    form->R2,
                                       form->N22, form->M1,    form->N110,  form->N23,   form->A1,
                                       form->D2,  form->B1,    form->U2,    form->Q1,
                                       form->SectionDrawing1, form->StandardDrawing1,
                                       form->findChild<QAction*>(QStringLiteral("ItemTable1"))};
    for (QAction* a : form->findChildren<QAction*>()) {
        if (qobject_cast<QToolBar*>(a->parent())) // the tool bar's own show/hide entry
            continue;
        EXPECT_EQ(a->isCheckable(), checkable.contains(a)) << a->objectName().toStdString();
    }
    EXPECT_FALSE(form->N30->isVisible());
    EXPECT_FALSE(form->FileE1->isVisible());
    EXPECT_EQ(form->windowTitle(), U("擁壁数量調書"));
    EXPECT_EQ(form->font().family(), U("ＭＳ ゴシック"));
    EXPECT_EQ(form->font().pixelSize(), 12);
}

struct Control {
    const char* name;
    const char* caption; // nullptr: none to check
    bool hidden;
};

const Control kControls[] = {
    {"Label1", "名前", false},
    {"Label2", "延べ長さ", false},
    {"Label11", "（㎜）", false},
    {"Label3", "仕上げ高[表]", false},
    {"Label4", "仕上げ高[裏]", false},
    {"Label5", "根入長", false},
    {"Label6", "均しｺﾝ", false},
    {"Label7", "砕石", false},
    {"Label8", "ﾍﾞｰｽ幅", false},
    {"Label9", "幅(W)", false},
    {"Label10", "ﾍﾞｰｽ(B)", false},
    {"StaticText1", "表面", false},
    {"StaticText2", "裏面", false},
    {"Label12", "仕上[表面]", false},
    {"Label13", "仕上[裏面]", false},
    {"Label14", "仕上[天端]", false},
    {"CheckBox1", "鉄筋計算", false},
    {"Button2", "鉄筋設定", true},
    {"CheckBox2", "水抜きﾊﾟｲﾌﾟ", false},
    {"CheckBox3", "ＣＢの有無", false},
    {"Button1", "ＣＢ設定", true},
    {"RG_BL", "ベース筋(主)", true},
    {"RG_HL", "ベース筋(配)", true},
    {"RG_TL", "立上り(ﾀﾃ)", true},
    {"RG_YL", "立上り(ﾖｺ)", true},
    {"Label16", "(主)ﾋﾟｯﾁ(＠)", true},
    {"Label18", "(配)ﾋﾟｯﾁ(＠)", true},
    {"Label17", "(ﾀﾃ)ﾋﾟｯﾁ(＠)", true},
    {"Label19", "(ﾖｺ)ﾋﾟｯﾁ(＠)", true},
    {"CheckBox5", "ﾍﾞｰｽ：複筋", true},
    {"CheckBox6", "立上り：複筋", true},
    {"Label20", "設計GLと平均GLの差", true},
    {"Button4", "拾い追加", false},
    {"Button3", "拾い削除", true},
    {"Image1", nullptr, false},
    {"Image2", nullptr, true},
    {"ComboBox1", nullptr, false},
    {"ComboBox2", nullptr, false},
    {"ComboBox3", nullptr, false},
    {"ComboBox4", nullptr, false},
    {"REdit10", nullptr, true},
    {"REdit11", nullptr, true},
    {"REdit12", nullptr, true},
    {"REdit13", nullptr, true},
    {"REdit14", nullptr, true},
    {"REdit15", nullptr, true},
    {"REdit16", nullptr, true},
    {"REdit17", nullptr, true},
    {"REdit18", "70", false},
    {"YH_H", nullptr, true},
    {"YH_U", nullptr, true},
    {"YH_T", nullptr, true},
    {"CB_H", nullptr, true},
    {"CB_U", nullptr, true},
    {"CB_T", nullptr, true},
    {"Label21", nullptr, true},
};

QString CaptionOf(QWidget* w) {
    if (auto* label = qobject_cast<QLabel*>(w))
        return label->text();
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        return button->text();
    if (auto* group = qobject_cast<QGroupBox*>(w))
        return group->title();
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        return edit->text();
    return QString();
}

TEST_F(WindowTest, ControlsHaveTheirCaptionsAndInitialVisibility) {
    for (const Control& c : kControls) {
        auto* w = form->findChild<QWidget*>(U(c.name));
        ASSERT_NE(w, nullptr) << c.name;
        EXPECT_EQ(w->isHidden(), c.hidden) << c.name;
        if (c.caption) {
            EXPECT_EQ(CaptionOf(w), U(c.caption)) << c.name;
        }
    }
    for (int n = 1; n <= 9; ++n)
        EXPECT_FALSE(form->REdit(n)->isHidden()) << n;
    for (TComboBox* combo : {form->ComboBox1, form->ComboBox2, form->ComboBox3, form->ComboBox4})
        EXPECT_TRUE(combo->isEditable());
}

TEST_F(WindowTest, NumericFieldsAreRightAlignedWithTheirInputMethodModes) {
    const QList<int> imeDisabled = {2, 3, 4, 5, 6, 7, 8, 9, 16, 18};
    for (int n = 1; n <= 18; ++n) {
        TREdit* edit = form->REdit(n);
        EXPECT_EQ(edit->objectName(), QStringLiteral("REdit%1").arg(n));
        EXPECT_TRUE(edit->alignment() & Qt::AlignRight) << n;
        EXPECT_EQ(edit->testAttribute(Qt::WA_InputMethodEnabled), !imeDisabled.contains(n)) << n;
    }
}

TEST_F(WindowTest, RadioGroupOffersThreeSizesAndReturnsToNoChoice) {
    form->ComboBox1->addItem(QStringLiteral("拾い")); // the item's fields are enabled
    TRadioGroup* g = form->RG_HL;
    EXPECT_EQ(g->Button(0)->text(), U("D10"));
    EXPECT_EQ(g->Button(1)->text(), U("D10,13"));
    EXPECT_EQ(g->Button(2)->text(), U("D13"));
    EXPECT_EQ(g->ItemIndex(), -1);
    g->SetItemIndex(1);
    EXPECT_EQ(g->ItemIndex(), 1);
    g->Button(2)->click();
    EXPECT_EQ(g->ItemIndex(), 2);
    EXPECT_FALSE(g->Button(1)->isChecked());
    g->SetItemIndex(-1);
    EXPECT_EQ(g->ItemIndex(), -1);
    for (int i = 0; i < 3; ++i)
        EXPECT_FALSE(g->Button(i)->isChecked());
    g->SetItemIndex(5);
    EXPECT_EQ(g->ItemIndex(), -1);
}

TEST_F(WindowTest, EachHelpEntryShowsItsOneMessageAndChangesNothing) {
    const std::pair<QAction*, const char*> help[] = {
        {form->N10, "余幅は500(=新積算基準)"},
        {form->N11, "簡易山止がある場合は強制的に50に固定"},
        {form->N12, "仕上高さのレベル差を採用"},
        {form->N13, "仕上高さごとに長さで出力"},
        {form->N27, "千鳥配筋は考慮しておりません\n\rですので適当にピッチは端折って下さい"},
        {form->N15, "演算結果を画面表示"},
        {form->N16, "演算結果をテキストに出力"},
        {form->N18, "演算結果表示に計算式を含めるかどうか"},
        {form->N20, "仕上げ名に「石」がある場合\n\r「調」が入って無い場合は計上しません"},
        {form->N24, "下地処理条件によります\n\r吹、Ｔまたはタが入って居れば処理します"},
        {form->N25, "下地処理条件によります"},
        {form->N26, "打放下地で仕上げがタイルの場合は強制的にモルタルをみます\n\rその他は下地処理条"
                    "件によります"}};
    form->REdit1->setText(QStringLiteral("1500"));
    form->SelectrSr(3);
    const QStringList before = ScreenState();
    const QByteArray settings = ReadFile(QStringLiteral("Qrtt.dat"));
    for (const auto& [action, text] : help) {
        dialogs.clear();
        action->trigger();
        ASSERT_EQ(dialogs.records.size(), 1) << action->objectName().toStdString();
        EXPECT_EQ(dialogs.records[0].kind, QStringLiteral("message"));
        EXPECT_EQ(dialogs.records[0].text, U(text));
    }
    EXPECT_EQ(ScreenState(), before);
    EXPECT_EQ(ReadFile(QStringLiteral("Qrtt.dat")), settings);
}

TEST_F(WindowTest, AboutMessageHasFourLinesWithTheIndentedVersion) {
    const QStringList before = ScreenState();
    form->R1->trigger();
    ASSERT_EQ(dialogs.messages().size(), 1);
    const QStringList lines = dialogs.messages()[0].split(QStringLiteral("\n\r"));
    ASSERT_EQ(lines.size(), 4);
    EXPECT_FALSE(lines[0].isEmpty());
    EXPECT_TRUE(lines[1].startsWith(QChar(0x3000)));
    EXPECT_EQ(lines[1].trimmed().remove(QChar(0x3000)), U("Ver 1.20"));
    EXPECT_FALSE(lines[2].isEmpty());
    EXPECT_EQ(lines[3], U("演算結果については検証の上採用してください"));
    EXPECT_EQ(ScreenState(), before);
}

TEST_F(WindowTest, ExitEndsTheProgramThroughTheCloseEvent) {
    form->show();
    int closed = 0;
    QObject::connect(form.get(), &TForm1::Closed, [&closed] { ++closed; });
    form->Exit1->trigger();
    EXPECT_EQ(closed, 1);
    EXPECT_TRUE(form->terminated);
    EXPECT_FALSE(form->isVisible());
}

// The platform adds a display name set apart from the program's name behind
// every window title, which would turn the caption "擁壁数量調書：物件" into
// "擁壁数量調書：物件 — 擁壁数量調書". The program's name must serve as the
// display name instead, so a later name shows through.
TEST(ApplicationName, NamesTheProgramWithoutAddingToWindowCaptions) {
    const QString before = QCoreApplication::applicationName();
    NameApplication();
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), U("擁壁数量調書"));
    QCoreApplication::setApplicationName(QStringLiteral("probe"));
    EXPECT_EQ(QGuiApplication::applicationDisplayName(), QStringLiteral("probe"));
    QCoreApplication::setApplicationName(before);
}

// A checkable entry chosen from the menu must act like its handler: choosing
// the checked entry of a condition group keeps it checked.
TEST_F(WindowTest, ChoosingACheckedConditionFromTheMenuKeepsItChecked) {
    form->Y1->trigger();
    EXPECT_TRUE(form->Y1->isChecked());
    EXPECT_FALSE(form->S1->isChecked());
    form->Y1->trigger();
    EXPECT_TRUE(form->Y1->isChecked());
    dialogs.questionAnswers = {true};
    form->B1->trigger();
    EXPECT_TRUE(form->B1->isChecked());
    form->A1->trigger();
    EXPECT_TRUE(form->A1->isChecked());
}

} // namespace

namespace {

// Change handlers follow the user, not the program: setting a list's index
// from code must not run them.
TEST_F(WindowTest, ListHandlersRunOnTheUsersActionsOnly) {
    form->ComboBox1->addItem(QStringLiteral("拾い")); // the item's fields are enabled
    ASSERT_TRUE(form->EsttIn(QStringLiteral("Qrtt.dat")));
    form->ComboBox4->setCurrentIndex(0);
    form->ComboBox2->setCurrentIndex(2);
    EXPECT_EQ(form->ComboBox4->currentIndex(), 0);
    emit form->ComboBox2->activated(2);
    EXPECT_EQ(form->ComboBox4->currentIndex(), 2);
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QApplication::sendEvent(form->ComboBox2->lineEdit(), &key);
    EXPECT_TRUE(form->ComboBox4->currentText().isEmpty());

    form2->SetLines({QStringLiteral("line")});
    form->ComboBox1->showPopup();
    form->ComboBox1->hidePopup();
    EXPECT_EQ(form2->ListBox1->count(), 0);
}

} // namespace

namespace {

// The window on a 1920 x 1080 screen at scale 1.5, 1280 x 720 to the program:
// run by its own test entry with that screen configured.
using SmallScreen = AppFixture;

TEST_F(SmallScreen, TheWindowOpensWithinTheScreenAndComesBackOnIt) {
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    ASSERT_EQ(area, QRect(0, 0, 1280, 720)) << "needs the configured screen";
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
    // The first start, then places left larger than the screen and off its corners.
    for (const QRect& left : {QRect(), QRect(0, 0, 2010, 930), QRect(3000, 2000, 1000, 600),
                              QRect(-900, -500, 1000, 600)}) {
        if (left.isValid()) {
            form->setGeometry(left);
            SaveWindowState(*form);
        }
        TForm1 next(dialogs, {});
        RestoreWindowState(next);
        next.show();
        QApplication::processEvents();
        const QRect frame = next.frameGeometry();
        EXPECT_TRUE(area.contains(frame)) << frame.x() << ',' << frame.y() << ' '
                                          << frame.width() << 'x' << frame.height();
        EXPECT_GE(next.width(), 1000); // the room there is, not a small window
    }
}

} // namespace
