// The toolkit's own dialogs speak Japanese on a Japanese desktop, and a
// file dialog that saves says so.
#include "AppFixture.h"
#include "Translations.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QPushButton>
#include <QTimer>

namespace {

// The buttons of the dialog that `ask` opens, read while it is up.
QStringList ButtonsOfFileDialog(const std::function<void()>& ask) {
    QStringList texts;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        for (QAbstractButton* b : dialog->findChild<QDialogButtonBox*>()->buttons())
            texts << b->text();
        dialog->reject();
    });
    ask();
    return texts;
}

TEST(ToolkitTranslation, JapaneseOnAJapaneseDesktopOnly) {
    // Once installed it stays for the program's life, so English comes first.
    EXPECT_FALSE(InstallToolkitTranslation(QLocale(QLocale::English, QLocale::UnitedStates)));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));

    ASSERT_TRUE(InstallToolkitTranslation(QLocale(QLocale::Japanese, QLocale::Japan)));
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"),
              QStringLiteral("キャンセル"));
    EXPECT_TRUE(InstallToolkitTranslation(QLocale(QLocale::Japanese, QLocale::Japan)));

    yoheki::QtDialogs dialogs;
    yoheki::OpenFileRequest request{QStringLiteral("テキスト出力ファイルを選択"),
                                    QStringLiteral("テキストファイル(*.txt)|*.TXT"),
                                    QDir::tempPath(), QString(), true};
    const QStringList opening = ButtonsOfFileDialog([&] { dialogs.openFile(request); });
    request.save = true;
    const QStringList saving = ButtonsOfFileDialog([&] { dialogs.openFile(request); });
    ASSERT_FALSE(saving.isEmpty());
    EXPECT_TRUE(saving.join(u'|').contains(QStringLiteral("保存")))
        << saving.join(u'|').toStdString();
    EXPECT_FALSE(opening.join(u'|').contains(QStringLiteral("保存")));
    EXPECT_TRUE(saving.join(u'|').contains(QStringLiteral("キャンセル")));
}

} // namespace
