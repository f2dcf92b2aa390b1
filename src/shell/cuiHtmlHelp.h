#pragma once
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <string>

#include "shell/cuiHelpWindow.h"

class QTextBrowser;
class QWidget;

// The bridge to help: the help window for the contents, and small pop-up windows for the
// topics of cells. The pages of a language lie in one folder with the contents page and a
// context map that gives the page and anchor of every context number.
class cuiHtmlHelp {
public:
    // Answers of the two commands.
    enum { kShown = 0, kFileMissing = 1, kTopicMissing = 2, kNoEngine = 3 };

    explicit cuiHtmlHelp(QWidget* owner);
    ~cuiHtmlHelp();
    cuiHtmlHelp(const cuiHtmlHelp&) = delete;
    cuiHtmlHelp& operator=(const cuiHtmlHelp&) = delete;

    // Opens the help window on the contents page; reports a missing file.
    int ShowContents(const std::string& path);
    // Shows the topic of a context number in a pop-up at a screen point; reports a missing
    // file or topic (the previous pop-up then shows again).
    int ShowPopupTopic(const std::string& path, int context, QPoint at);
    // Closes the help window and the pop-up.
    void CloseAll();

    cuiHelpWindow* Window() const { return m_window; }
    QWidget* Popup() const { return m_popup; }
    QTextBrowser* PopupBrowser() const { return m_popupBrowser; }

    // The HTML of one topic: the element of the page whose id is the anchor, or the whole
    // page without one; empty when the anchor is not in the page.
    static std::string TopicHtml(const std::string& page, const std::string& anchor);

private:
    void Report(int answer, const std::string& path);
    void EnsurePopup();
    void PlacePopup(QPoint at, QSize size);

    QWidget* m_owner;
    QPointer<cuiHelpWindow> m_window;
    QPointer<QWidget> m_popup;
    QTextBrowser* m_popupBrowser = nullptr;
    QRect m_hiddenRect;
};
