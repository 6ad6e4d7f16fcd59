#pragma once

#include <QPoint>
#include <QSize>

#include <array>

// The motion of the hidden animation: one picture moves by a fixed step each tick and turns at the edges of the
// window's inner area. The turn is decided on the position after the step, so the picture may cross an edge by up
// to one step before it comes back. Coordinates are pixels of the window's inner area.
namespace mx {

enum class EggMode {
    Ball = 1,       // the coloured ball, changing colour every kEggColourTicks ticks
    Logo = 2,       // the maker's logo
    Directions = 3, // the picture of the current direction of travel
};

// The direction of travel, as the signs of the two steps give it.
enum class Heading { DownRight, UpRight, UpLeft, DownLeft };

struct EggColour {
    int red;
    int green;
    int blue;
};

// The classic sixteen text-mode colours, by index.
inline constexpr std::array<EggColour, 16> kEggPalette = {{
    {0, 0, 0},
    {0, 0, 128},
    {0, 128, 0},
    {0, 128, 128},
    {128, 0, 0},
    {128, 0, 128},
    {128, 128, 0},
    {192, 192, 192},
    {128, 128, 128},
    {0, 0, 255},
    {0, 255, 0},
    {0, 255, 255},
    {255, 0, 0},
    {255, 0, 255},
    {255, 255, 0},
    {255, 255, 255},
}};

inline constexpr int kEggTickMs = 100;
inline constexpr int kEggStep = 5;
inline constexpr int kEggColourTicks = 8;

class EggBounce {
public:
    struct Sizes {
        QSize area;      // the window's inner width and height
        QSize ball;      // the ball (mode 1)
        QSize logo;      // the logo (mode 2)
        QSize direction; // each direction picture (mode 3)
    };

    // Starts in mode 3 at (0, 0), moving down and right.
    explicit EggBounce(const Sizes& sizes);

    // One tick: the step and the turns, then (mode 1) the colour count. True when the ball's colour changed.
    bool tick();

    // Keys "1", "2" and "3". Mode 2 starts again from the top-left corner; 1 and 3 keep the position and direction.
    // Any other number changes nothing and gives false.
    bool chooseMode(int mode);

    EggMode mode() const { return mode_; }
    QPoint position() const { return position_; }
    QPoint step() const { return step_; }
    QSize objectSize() const { return objectSize_; }
    int colourIndex() const { return colourIndex_; }
    Heading heading() const;

private:
    static void advance(int& position, int& step, int objectExtent, int areaExtent);

    Sizes sizes_;
    EggMode mode_ = EggMode::Directions;
    QPoint position_{0, 0};
    QPoint step_{kEggStep, kEggStep};
    QSize objectSize_;
    int colourIndex_ = 0;
    int tickCounter_ = 0;
};

} // namespace mx
