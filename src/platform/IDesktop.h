#pragma once
#include <string>
#include <vector>

namespace plat {

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    int Right() const { return left + width; }
    int Bottom() const { return top + height; }
};

// The desktop: the whole screen and its work area (the screen minus panels and docks).
class IDesktop {
public:
    virtual ~IDesktop() = default;
    virtual Rect Screen() = 0;
    virtual Rect WorkArea() = 0;
    // The work area of the screen that holds the point (the primary one when none does).
    virtual Rect WorkAreaAt(int x, int y)
    {
        (void)x, (void)y;
        return WorkArea();
    }
    // Hands a web address to the desktop's browser; false when nothing took it.
    virtual bool OpenUrl(const std::string& url)
    {
        (void)url;
        return false;
    }
};

class FixedDesktop : public IDesktop {
public:
    Rect Screen() override { return screen; }
    Rect WorkArea() override { return workArea; }
    Rect WorkAreaAt(int x, int y) override
    {
        for (const Rect& r : moreWorkAreas)
            if (x >= r.left && x < r.Right() && y >= r.top && y < r.Bottom())
                return r;
        return workArea;
    }
    bool OpenUrl(const std::string& url) override
    {
        openedUrls.push_back(url);
        return true;
    }
    Rect screen{0, 0, 1280, 1024};
    Rect workArea{0, 0, 1280, 984};
    std::vector<Rect> moreWorkAreas;  // further screens
    std::vector<std::string> openedUrls;
};

}  // namespace plat
