#pragma once

#include <QToolBar>

class CKivSettings;
class QLineEdit;
class QTimer;

// The search bar at the bottom of the main frame: a 32 x 32 picture and the search field. Enter in
// the field hands its text on at once; while searching as the user types, so does a pause of
// TypingPauseMs after the last change. The colours follow the colours in force for the lists.
class CKivSearchBar : public QToolBar
{
    Q_OBJECT

public:
    explicit CKivSearchBar(QWidget *parent = nullptr);

    static constexpr int TypingPauseMs = 250;

    QLineEdit *edit() const { return m_edit; }
    // Whether a pause in typing starts the search (the setting "Suche während der Eingabe").
    void setSearchWhileTyping(bool on);
    bool searchesWhileTyping() const { return m_whileTyping; }
    QTimer *typingTimer() const { return m_typingTimer; }
    // Background of the bar and the field, and the field's text colour, from "Color" / "Color1" and
    // "Color2".
    void applyColors(const CKivSettings &settings);
    // A colour as the settings store it (lowest byte red, then green, then blue).
    static QColor colorOf(quint32 value);

Q_SIGNALS:
    void searchRequested(const QString &text);

private:
    QLineEdit *m_edit;
    QTimer *m_typingTimer;
    bool m_whileTyping = true;
};
