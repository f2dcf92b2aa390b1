#pragma once

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
};

class FixedDesktop : public IDesktop {
public:
    Rect Screen() override { return screen; }
    Rect WorkArea() override { return workArea; }
    Rect screen{0, 0, 1280, 1024};
    Rect workArea{0, 0, 1280, 984};
};

}  // namespace plat
