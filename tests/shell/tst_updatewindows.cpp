#include "MessageBoxes.h"
#include "UpdateProgressDialog.h"
#include "UpdateWaitDialog.h"
#include "WidgetUpdateUi.h"

#include <QApplication>
#include <QFileDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

class TestUpdateWindows : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void cleanup();

    void questionsAndMessages_data();
    void questionsAndMessages();
    void progressWindow_data();
    void progressWindow();
    void waitWindow_data();
    void waitWindow();
    void saveDialogLeavesTheOverwriteQuestionToTheCheck();
};

void TestUpdateWindows::cleanup()
{
    MessageBoxes::setHandler(nullptr);
}

void TestUpdateWindows::questionsAndMessages_data()
{
    QTest::addColumn<int>("icon"); // UpdateUi::Icon; -1 for a question
    QTest::addColumn<int>("answer");
    QTest::addColumn<int>("expectedIcon");
    QTest::addColumn<int>("expectedButtons");
    QTest::addColumn<bool>("yes");

    const int yesNo = QMessageBox::Yes | QMessageBox::No;
    QTest::newRow("question, Yes")
        << -1 << int(QMessageBox::Yes) << int(QMessageBox::Question) << yesNo << true;
    QTest::newRow("question, No") << -1 << int(QMessageBox::No) << int(QMessageBox::Question)
                                  << yesNo << false;
    QTest::newRow("question closed")
        << -1 << int(QMessageBox::Escape) << int(QMessageBox::Question) << yesNo << false;
    QTest::newRow("warning") << int(UpdateUi::Icon::Warning) << int(QMessageBox::Ok)
                             << int(QMessageBox::Warning) << int(QMessageBox::Ok) << false;
    QTest::newRow("information") << int(UpdateUi::Icon::Information) << int(QMessageBox::Ok)
                                 << int(QMessageBox::Information) << int(QMessageBox::Ok) << false;
    QTest::newRow("plain") << int(UpdateUi::Icon::None) << int(QMessageBox::Ok)
                           << int(QMessageBox::NoIcon) << int(QMessageBox::Ok) << false;
}

void TestUpdateWindows::questionsAndMessages()
{
    QFETCH(int, icon);
    QFETCH(int, answer);
    QFETCH(int, expectedIcon);
    QFETCH(int, expectedButtons);
    QFETCH(bool, yes);

    QWidget owner;
    WidgetUpdateUi ui(&owner);
    QList<MessageBoxes::Message> shown;
    MessageBoxes::setHandler([&](const MessageBoxes::Message &message) {
        shown.append(message);
        return QMessageBox::StandardButton(answer);
    });
    const QString caption = QStringLiteral("Aktualizacja dostępna");
    const QString text = QStringLiteral("Bieżący numer wersji: 2.0.0.24.\nPobrać aktualizację?");
    if (icon < 0)
        QCOMPARE(ui.Ask(caption, text), yes);
    else
        ui.Message(UpdateUi::Icon(icon), caption, text);
    QCOMPARE(shown.size(), 1);
    QCOMPARE(shown[0].caption, caption);
    QCOMPARE(shown[0].text, text);
    QCOMPARE(int(shown[0].icon), expectedIcon);
    QCOMPARE(int(shown[0].buttons), expectedButtons);
}

namespace {

// Asks a wait or progress window to stop the transfer, as the user does: by its "Anuluj"
// button, Esc or its close box.
void askToStop(QDialog &dialog, const QString &how)
{
    QPushButton *button = dialog.findChild<QPushButton *>();
    QVERIFY(button);
    QCOMPARE(button->text(), QStringLiteral("&Anuluj"));
    if (how == u"button")
        button->click();
    else if (how == u"escape")
        QTest::keyClick(&dialog, Qt::Key_Escape);
    else
        dialog.close();
}

} // namespace

void TestUpdateWindows::progressWindow_data()
{
    QTest::addColumn<QString>("how"); // how the user asks to stop

    QTest::newRow("Cancel button") << QStringLiteral("button");
    QTest::newRow("Escape key") << QStringLiteral("escape");
    QTest::newRow("close box") << QStringLiteral("close");
}

void TestUpdateWindows::progressWindow()
{
    QFETCH(QString, how);
    int cancelled = 0;
    UpdateProgressDialog dialog([&cancelled] { ++cancelled; });
    dialog.show();
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Zaawansowanie pobierania"));
    QCOMPARE(dialog.size(), QSize(272, 123));
    dialog.SetProgress(42, QStringLiteral("2,555,904 z 6,000,000 odebranych bajtów."));
    QCOMPARE(dialog.findChild<QProgressBar *>()->value(), 42);
    QCOMPARE(dialog.findChild<QLabel *>(QStringLiteral("lbBytes"))->text(),
             QStringLiteral("2,555,904 z 6,000,000 odebranych bajtów."));

    askToStop(dialog, how);
    QCOMPARE(cancelled, 1);
    // The window goes only when the transfer has ended.
    QVERIFY(dialog.isVisible());
}

void TestUpdateWindows::waitWindow_data()
{
    progressWindow_data();
}

void TestUpdateWindows::waitWindow()
{
    QFETCH(QString, how);
    int cancelled = 0;
    UpdateWaitDialog dialog([&cancelled] { ++cancelled; });
    dialog.SetText(QStringLiteral("Poszukiwanie aktualizacji..."));
    dialog.show();
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Proszę czekać"));
    QCOMPARE(dialog.findChild<QLabel *>()->text(), QStringLiteral("Poszukiwanie aktualizacji..."));

    askToStop(dialog, how);
    QCOMPARE(cancelled, 1);
    // The window goes only when the transfer has ended.
    QVERIFY(dialog.isVisible());
    dialog.hide();
    QVERIFY(!dialog.isVisible());
}

void TestUpdateWindows::saveDialogLeavesTheOverwriteQuestionToTheCheck()
{
    // The extension is added after the dialog, so the dialog must not ask about the name typed.
    QTemporaryDir folder;
    QWidget owner;
    WidgetUpdateUi ui(&owner);
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
        QVERIFY(dialog);
        seen = true;
        QCOMPARE(dialog->directory().absolutePath(), QDir(folder.path()).absolutePath());
        QVERIFY(dialog->testOption(QFileDialog::DontConfirmOverwrite));
        QVERIFY(dialog->testOption(QFileDialog::DontUseNativeDialog));
        dialog->selectNameFilter(QStringLiteral("Archiwum ZIP (*.ZIP)"));
        dialog->selectFile(QStringLiteral("nowa"));
        static_cast<QDialog *>(dialog)->accept();
    });
    UpdateUi::Filter filter = UpdateUi::Filter::AllFiles;
    const QString path = ui.AskSaveName(folder.filePath(QStringLiteral("verb25.exe")), &filter);
    QVERIFY(seen);
    QCOMPARE(path, folder.filePath(QStringLiteral("nowa")));
    QCOMPARE(filter, UpdateUi::Filter::ZipArchives);
}

QTEST_MAIN(TestUpdateWindows)
#include "tst_updatewindows.moc"
