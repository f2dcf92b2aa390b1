#pragma once
#include <QUrl>
#include <QWidget>

class QLineEdit;
class QTextBrowser;
class QToolButton;

// The program's own help window over the HTML pages of a language: back, forward, home
// and find above the page. Links between pages stay inside; web links go to the desktop's
// browser. Not modal; its size is remembered between runs.
class cuiHelpWindow : public QWidget {
    Q_OBJECT
public:
    // home: the contents page.
    cuiHelpWindow(QWidget* owner, const QUrl& home);
    ~cuiHelpWindow() override;

    void SetHome(const QUrl& home);
    void GoHome();
    // Finds the text forward from the current position, wrapping once; false when absent.
    bool Find(const QString& text);

    QTextBrowser* Browser() const { return m_browser; }
    QToolButton* BackButton() const { return m_back; }
    QToolButton* ForwardButton() const { return m_forward; }
    QToolButton* HomeButton() const { return m_home; }
    QLineEdit* FindEdit() const { return m_find; }

    static constexpr const char* kPlaceName = "HelpWindow";

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void OnLink(const QUrl& url);
    void Remember();

    QUrl m_homeUrl;
    QTextBrowser* m_browser;
    QToolButton* m_back;
    QToolButton* m_forward;
    QToolButton* m_home;
    QLineEdit* m_find;
};
