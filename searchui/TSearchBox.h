#pragma once

#include <QLineEdit>

class QCompleter;
class QStandardItemModel;
class TSearchEngine;

// The search field of the main window's toolbar. While the reader types, a drop-down offers
// the best title matches (arrows and Enter choose one, Esc closes it); Enter with none chosen
// asks for the full list of results.
class TSearchBox : public QLineEdit
{
    Q_OBJECT

public:
    static constexpr int Suggestions = 10;

    TSearchBox(TSearchEngine &engine, QWidget *parent = nullptr);

    QCompleter *suggestions() const { return m_completer; }
    // Takes the focus with the text selected, to be typed over.
    void activate();

Q_SIGNALS:
    // `found` is the text the suggestion was found for.
    void entryChosen(const QString &typ, const QString &numer, const QString &found);
    void searchRequested(const QString &text);

protected:
    void focusInEvent(QFocusEvent *event) override;

private:
    void suggest();

    TSearchEngine &m_engine;
    QStandardItemModel *m_model;
    QCompleter *m_completer;
    QString m_suggested; // the text the suggestions are for
};
