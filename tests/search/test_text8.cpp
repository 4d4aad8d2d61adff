// Text beyond ASCII typed into the Find and Replace dialog reaches the document, and a saved
// file, as the same single bytes: the document is 8-bit, one byte one character.
#include <QtTest>

#include <QComboBox>
#include <QRadioButton>
#include <QTemporaryDir>

#include "FileTestSupport.h"
#include "TestApp.h"
#include "editor/Documents.h"
#include "search/frmReplace.h"

class TestText8 : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void highBytesRoundTrip()
    {
        TestApp t;
        t.ShowMainWindow();
        frmReplace& dialog = t.forms.Get<frmReplace>();
        dialog.Show();
        auto* text = dialog.findChild<QComboBox*>(QStringLiteral("cboText"));
        auto* replacement = dialog.findChild<QComboBox*>(QStringLiteral("cboReplace"));
        std::string program;
        for (int byte = 0xA0; byte <= 0xFF; ++byte)
            program += "X1 " + std::string(1, char(byte)) + "\r\n";
        SetText(t.editor, program);

        for (int byte = 0xA0; byte <= 0xFF; ++byte) {
            const std::size_t at = program.find(char(byte));
            text->setCurrentText(QString(QChar(byte)));
            dialog.cmdFind_Click();
            QVERIFY2(std::size_t(Anchor(t.editor)) == at && std::size_t(Caret(t.editor)) == at + 1,
                     qPrintable(QString::number(byte, 16)));
        }
        // Replace: one high byte by another, then Replace All of a word by one.
        dialog.findChildren<QRadioButton*>(QStringLiteral("Option1")).at(1)->click();
        t.editor.SendEditor(sci::SCI_SETSEL, 0, 0);
        text->setCurrentText(QString(QChar(0xFF)));
        replacement->setCurrentText(QString(QChar(0xA0)));
        dialog.cmdFind_Click();
        dialog.cmdReplace_Click();
        text->setCurrentText(QStringLiteral("X1"));
        replacement->setCurrentText(QString(QChar(0xE9)));
        dialog.cmdReplaceAll_Click();
        std::string expected;
        for (int byte = 0xA0; byte <= 0xFF; ++byte)
            expected += "\xE9 " + std::string(1, char(byte == 0xFF ? 0xA0 : byte)) + "\r\n";
        QCOMPARE(Text(t.editor), expected);
        QTemporaryDir dir;
        const std::string path = dir.filePath(QStringLiteral("accents.nc")).toStdString();
        QVERIFY(SaveDocument(t.editor, path));
        QCOMPARE(OnDisk(path), QByteArray::fromStdString(expected));

        // A prompt that quotes the search text quotes the same byte.
        t.dialogs.boxes.clear();
        text->setCurrentText(QString(QChar(0xFF)));
        replacement->setCurrentText(QStringLiteral("Y"));
        dialog.cmdReplace_Click();
        QCOMPARE(t.dialogs.boxes.back().prompt, std::string("Cannot find string \"\xFF\""));
    }
};

QTEST_MAIN(TestText8)
#include "test_text8.moc"
