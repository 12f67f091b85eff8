#pragma once

namespace common {

// Window layouts are given in twips; at the 96 DPI of the layouts a device-independent pixel
// is 15 twips. Qt scales device-independent pixels for high-DPI screens itself.
constexpr int twipsToPixels(int twips)
{
    return twips >= 0 ? (twips + 7) / 15 : -((-twips + 7) / 15);
}

} // namespace common
