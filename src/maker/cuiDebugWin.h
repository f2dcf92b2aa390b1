#pragma once
#include <QObject>

class QPlainTextEdit;
class QWidget;
struct cmcEvent;

// The free debug log: a window whose text collects the lines that any code sends with
// event 22, unless the user has text selected in it. Each one lives until it is closed and
// frees itself then; the owner's destruction frees it too.
class cuiDebugWin : public QObject {
public:
    explicit cuiDebugWin(QWidget* owner);
    ~cuiDebugWin() override;

    QWidget* Window() const { return m_window; }
    QPlainTextEdit* Text() const { return m_text; }
    static int LiveCount();

private:
    static void OnEvent(void* context, const cmcEvent& event);

    QWidget* m_window = nullptr;
    QPlainTextEdit* m_text = nullptr;
    bool m_subscribed = false;
};
