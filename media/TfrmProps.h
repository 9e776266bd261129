#pragma once

#include <QDialog>
#include <QString>

#include <functional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSpinBox;
class THTMLViewer;

// The options dialog: the document font with a live preview, the Index window's tab layout,
// the number of documents open at once, the quote of the day at start, the disc's autostart.
// It only edits; the main window takes the accepted values and stores them.
class TfrmProps : public QDialog
{
    Q_OBJECT

public:
    struct Values
    {
        QString fontName;
        int fontSize = 10;
        int indexLayout = 1; // 0 tabs in one row, 1 in several rows, 2 rows jumping
        bool showQuote = true;
        int docCount = 12;
        bool autorun = true;
    };
    static constexpr int HelpContext = 4070;

    // `showHelp` shows a help topic by its number (F1, or the title bar's help button).
    TfrmProps(const Values &current, std::function<void(int)> showHelp, QWidget *parent = nullptr);

    // What the reader accepted with OK; the values shown at first until then.
    const Values &Result() const { return m_result; }

    QComboBox *FontBox() const { return m_fontBox; }
    QSpinBox *FontSize() const { return m_fontSize; }
    THTMLViewer *HT1() const { return m_preview; }
    QGroupBox *IndeksGroup() const { return m_indeksGroup; }
    QButtonGroup *IndeksItems() const { return m_indeksItems; }
    QSpinBox *seDocCount() const { return m_docCount; }
    QCheckBox *CheckPokazuj() const { return m_pokazuj; }
    QCheckBox *CheckAutorun() const { return m_autorun; }
    QPushButton *Button1() const { return m_ok; }
    QPushButton *Button2() const { return m_cancel; }

protected:
    void showEvent(QShowEvent *event) override;

private:
    void FormCreate();
    void FormShow();
    void FontBoxChange();
    void Button1Click();

    Values m_result;
    bool m_centred = false;

    QComboBox *m_fontBox = nullptr;
    QSpinBox *m_fontSize = nullptr;
    THTMLViewer *m_preview = nullptr;
    QGroupBox *m_indeksGroup = nullptr;
    QButtonGroup *m_indeksItems = nullptr;
    QSpinBox *m_docCount = nullptr;
    QCheckBox *m_pokazuj = nullptr;
    QCheckBox *m_autorun = nullptr;
    QPushButton *m_ok = nullptr;
    QPushButton *m_cancel = nullptr;
};
