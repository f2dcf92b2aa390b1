#include "platform/qt/QtServices.h"

#include <iconv.h>

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>
#include <cerrno>
#include <vector>

#include "platform/Fatal.h"
#include "platform/IClock.h"
#include "platform/IDesktop.h"
#include "platform/IMessageBoxes.h"
#include "platform/ISettingsBackend.h"
#include "platform/ITimerHost.h"
#include "platform/Services.h"
#include "platform/TextUtil.h"

namespace plat {

namespace {

// Converts between two encodings; false when a character cannot be represented.
bool Convert(const char* to, const char* from, const std::string& in, std::string& out)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return false;
    std::string result;
    std::vector<char> buf(in.size() * 4 + 16);
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    bool ok = true;
    while (srcLeft > 0) {
        char* dst = buf.data();
        size_t dstLeft = buf.size();
        size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
        result.append(buf.data(), static_cast<size_t>(dst - buf.data()));
        if (r == static_cast<size_t>(-1) && errno != E2BIG) {
            ok = false;
            break;
        }
    }
    iconv_close(cd);
    if (ok)
        out = std::move(result);
    return ok;
}

class QtTimer : public ITimer {
public:
    explicit QtTimer(std::function<void()> cb)
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            // Copy first: the callback may destroy this timer.
            auto cb = m_cb;
            cb();
        });
        m_cb = std::move(cb);
    }
    void Start(int intervalMs) override { m_timer.start(intervalMs); }
    void Stop() override { m_timer.stop(); }
    bool IsActive() const override { return m_timer.isActive(); }
    int Interval() const override { return m_timer.interval(); }

private:
    QTimer m_timer;
    std::function<void()> m_cb;
};

class QtTimerHost : public ITimerHost {
public:
    std::unique_ptr<ITimer> CreateTimer(std::function<void()> onTimeout) override
    {
        return std::make_unique<QtTimer>(std::move(onTimeout));
    }
};

bool HaveGui()
{
    return qobject_cast<QApplication*>(QCoreApplication::instance()) != nullptr;
}

class QtMessageBoxes : public IMessageBoxes {
public:
    BoxResult Show(const std::string& caption, const std::string& text, BoxIcon icon,
                   BoxButtons buttons) override
    {
        if (!HaveGui())
            return BoxResult::Cancel;
        QMessageBox box(QApplication::activeWindow());
        box.setWindowTitle(ToQt(caption));
        box.setText(ToQt(text));
        switch (icon) {
            case BoxIcon::Information:
                box.setIcon(QMessageBox::Information);
                break;
            case BoxIcon::Warning:
                box.setIcon(QMessageBox::Warning);
                break;
            case BoxIcon::Error:
                box.setIcon(QMessageBox::Critical);
                break;
            case BoxIcon::Question:
                box.setIcon(QMessageBox::Question);
                break;
            case BoxIcon::None:
                break;
        }
        switch (buttons) {
            case BoxButtons::Ok:
                box.setStandardButtons(QMessageBox::Ok);
                break;
            case BoxButtons::OkCancel:
                box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
                break;
            case BoxButtons::YesNo:
                box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
                break;
            case BoxButtons::YesNoCancel:
                box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
                break;
        }
        switch (box.exec()) {
            case QMessageBox::Ok:
                return BoxResult::Ok;
            case QMessageBox::Yes:
                return BoxResult::Yes;
            case QMessageBox::No:
                return BoxResult::No;
            default:
                return BoxResult::Cancel;
        }
    }
};

class QtFatalBox : public IFatalBox {
public:
    void Show(const std::string& caption, const std::string& text) override
    {
        // Headless runs have only standard error, which Fatal already wrote.
        if (!HaveGui() || QGuiApplication::platformName() == QLatin1String("offscreen"))
            return;
        QMessageBox::critical(nullptr, ToQt(caption), ToQt(text));
    }
};

class QtDesktop : public IDesktop {
public:
    Rect Screen() override
    {
        QScreen* s = QGuiApplication::primaryScreen();
        if (!s)
            return {0, 0, 1024, 768};
        QRect r = s->geometry();
        return {r.x(), r.y(), r.width(), r.height()};
    }
    Rect WorkArea() override
    {
        QScreen* s = QGuiApplication::primaryScreen();
        if (!s)
            return {0, 0, 1024, 768};
        QRect r = s->availableGeometry();
        return {r.x(), r.y(), r.width(), r.height()};
    }
    Rect WorkAreaAt(int x, int y) override
    {
        QScreen* s = QGuiApplication::screenAt(QPoint(x, y));
        if (!s)
            return WorkArea();
        QRect r = s->availableGeometry();
        return {r.x(), r.y(), r.width(), r.height()};
    }
    bool OpenUrl(const std::string& url) override
    {
        return QDesktopServices::openUrl(QUrl(QString::fromStdString(url)));
    }
};

// Registry keys as INI groups. The program's own root "Software\Tavo\Quorvex" is the file
// itself, so "Software\Tavo\Quorvex\Global" is the group [Global].
class QtSettingsBackend : public ISettingsBackend {
public:
    QtSettingsBackend(const QString& userFile, const QString& machineFile)
        : m_user(userFile, QSettings::IniFormat), m_machine(machineFile, QSettings::IniFormat)
    {
        m_user.setFallbacksEnabled(false);
        m_machine.setFallbacksEnabled(false);
    }

    bool KeyExists(Root root, const std::string& path) override
    {
        QSettings& s = Store(root);
        const QString g = Group(path);
        if (g.isEmpty())
            return !s.allKeys().isEmpty();
        s.beginGroup(g);
        const bool any = !s.allKeys().isEmpty();
        s.endGroup();
        return any;
    }
    std::optional<int32_t> ReadInt(Root root, const std::string& path,
                                   const std::string& name) override
    {
        QVariant v = Value(root, path, name);
        if (!v.isValid())
            return std::nullopt;
        bool ok = false;
        const int n = v.toString().trimmed().toInt(&ok, 10);
        if (!ok)
            return std::nullopt;
        return n;
    }
    std::optional<std::string> ReadString(Root root, const std::string& path,
                                          const std::string& name) override
    {
        QVariant v = Value(root, path, name);
        if (!v.isValid())
            return std::nullopt;
        std::string out;
        if (!FromQt(v.toString(), out))
            return std::nullopt;
        return out;
    }
    bool ValueExists(Root root, const std::string& path, const std::string& name) override
    {
        return Value(root, path, name).isValid();
    }
    bool WriteInt(Root root, const std::string& path, const std::string& name,
                  int32_t value) override
    {
        if (root != Root::User)
            return false;
        m_user.setValue(FullName(path, name), value);
        return true;
    }
    bool WriteString(Root root, const std::string& path, const std::string& name,
                     const std::string& value) override
    {
        if (root != Root::User)
            return false;
        m_user.setValue(FullName(path, name), ToQt(value));
        return true;
    }
    bool DeleteKey(Root root, const std::string& path, const std::string& subKey) override
    {
        if (root != Root::User)
            return false;
        std::string full = subKey.empty() ? path : path + "\\" + subKey;
        m_user.remove(Group(full));
        return true;
    }
    void Flush() override { m_user.sync(); }

private:
    QSettings& Store(Root r) { return r == Root::User ? m_user : m_machine; }
    static QString Group(const std::string& path)
    {
        static const std::string root = "Software\\Tavo\\Quorvex";
        std::string p = path;
        if (p.rfind(root, 0) == 0)
            p = p.substr(root.size());
        QString g = ToQt(p);
        g.replace(QLatin1Char('\\'), QLatin1Char('/'));
        while (g.startsWith(QLatin1Char('/')))
            g.remove(0, 1);
        return g;
    }
    static QString FullName(const std::string& path, const std::string& name)
    {
        const QString g = Group(path);
        return g.isEmpty() ? ToQt(name) : g + QLatin1Char('/') + ToQt(name);
    }
    QVariant Value(Root root, const std::string& path, const std::string& name)
    {
        return Store(root).value(FullName(path, name));
    }
    QSettings m_user;
    QSettings m_machine;
};

}  // namespace

QString ToQt(const std::string& text)
{
    std::string utf8;
    if (Convert("UTF-8", txt::CodePageName(), text, utf8))
        return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

bool FromQt(const QString& text, std::string& out)
{
    const QByteArray utf8 = text.toUtf8();
    return Convert(txt::CodePageName(), "UTF-8",
                   std::string(utf8.constData(), static_cast<size_t>(utf8.size())), out);
}

bool ToUtf8(const std::string& text, std::string& out)
{
    out = ToQt(text).toUtf8().toStdString();
    return true;
}

bool FromUtf8(const std::string& text, std::string& out)
{
    return FromQt(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), out);
}

struct QtServices::Impl {
    SteadyClock clock;
    QtTimerHost timers;
    QtMessageBoxes boxes;
    QtFatalBox fatal;
    QtDesktop desktop;
    std::unique_ptr<QtSettingsBackend> settings;
    Services previous;
};

QtServices::QtServices(const QString& userConfigFile, const QString& machineConfigFile)
    : m(std::make_unique<Impl>())
{
    m->settings = std::make_unique<QtSettingsBackend>(userConfigFile, machineConfigFile);
    Services& s = Get();
    m->previous = s;
    s.clock = &m->clock;
    s.timers = &m->timers;
    s.boxes = &m->boxes;
    s.fatalBox = &m->fatal;
    s.settings = m->settings.get();
    s.desktop = &m->desktop;
}

QtServices::~QtServices()
{
    Get() = m->previous;
}

QString QtServices::DefaultUserConfigFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Tavo/Quorvex.conf");
}

QString QtServices::DefaultMachineConfigFile()
{
    return QStringLiteral("/etc/xdg/Tavo/Quorvex.conf");
}

}  // namespace plat
