#pragma once
#include <QIcon>
#include <QList>
#include <QString>
#include <string>

class QLabel;
class QSplitter;
class QWidget;
class TForm1;
struct cmcEvent;

// The common main object: opens the overlays, owns what the main window shows and reacts
// to the program-wide events. The model's main object derives from it.
class cuiMain {
public:
    cuiMain(const std::string& programCode, int imageSize);
    virtual ~cuiMain();
    cuiMain(const cuiMain&) = delete;
    cuiMain& operator=(const cuiMain&) = delete;

    // Builds the main window's contents on the form and shows it.
    virtual void CreateUi(TForm1* form, const QList<QIcon>& treeImages,
                          const QList<QIcon>& toolBarImages);
    // The close query: false keeps the program running.
    virtual bool CloseQuery();
    // The form is closing for good: remember window placement and splitter.
    virtual void OnClose();

    const std::string& ProgramCode() const { return m_programCode; }
    int ImageSize() const { return m_imageSize; }
    // The program's folder, with a trailing "/".
    static std::string ProgramDir();
    TForm1* Form() const { return m_form; }
    QSplitter* Splitter() const { return m_splitter; }

protected:
    static void OnEvent(void* context, const cmcEvent& event);
    virtual void HandleEvent(const cmcEvent& event);

    std::string m_programCode;
    int m_imageSize;
    TForm1* m_form = nullptr;
    QList<QIcon> m_treeImages;
    QList<QIcon> m_toolBarImages;
    QSplitter* m_splitter = nullptr;
    QWidget* m_treePanel = nullptr;
    QWidget* m_sheetPage = nullptr;
};

// The one main object of the program (null in tests that do not build one).
extern cuiMain* g_Main;
