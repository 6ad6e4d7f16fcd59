#include "shell/bounce.h"

#include <cstdlib>

namespace mx {

EggBounce::EggBounce(const Sizes& sizes) : sizes_(sizes), objectSize_(sizes.direction) {}

void EggBounce::advance(int& position, int& step, int objectExtent, int areaExtent)
{
    position += step;
    // Turned towards the inside rather than reversed: the ball, chosen near the far edge, starts beyond it, and
    // reversing there on every tick would leave it shaking at the edge for good.
    if (position + objectExtent >= areaExtent)
        step = -std::abs(step);
    if (position <= 0)
        step = std::abs(step);
}

bool EggBounce::tick()
{
    advance(position_.rx(), step_.rx(), objectSize_.width(), sizes_.area.width());
    advance(position_.ry(), step_.ry(), objectSize_.height(), sizes_.area.height());
    if (mode_ != EggMode::Ball)
        return false;
    if (++tickCounter_ < kEggColourTicks)
        return false;
    tickCounter_ = 0;
    colourIndex_ = colourIndex_ >= int(kEggPalette.size()) - 1 ? 0 : colourIndex_ + 1;
    return true;
}

bool EggBounce::chooseMode(int mode)
{
    switch (mode) {
    case 1:
        mode_ = EggMode::Ball;
        objectSize_ = sizes_.ball;
        return true;
    case 2:
        mode_ = EggMode::Logo;
        objectSize_ = sizes_.logo;
        position_ = {0, 0};
        return true;
    case 3:
        mode_ = EggMode::Directions;
        objectSize_ = sizes_.direction;
        return true;
    default:
        return false;
    }
}

Heading EggBounce::heading() const
{
    // The steps are never zero: they start at kEggStep and only their signs change.
    if (step_.x() > 0)
        return step_.y() > 0 ? Heading::DownRight : Heading::UpRight;
    return step_.y() < 0 ? Heading::UpLeft : Heading::DownLeft;
}

} // namespace mx
