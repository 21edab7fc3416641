#pragma once

#include <QFont>
#include <QImage>
#include <QString>

namespace art {

// The game's title in hand-drawn blue letters with a grey halo, as an indexed picture whose
// entry 255 is the transparent background.
QImage TitleLogo();

// Writes an indexed picture as a single-frame GIF89a with one transparent palette entry.
bool WriteGif(const QImage& indexed, int transparentIndex, const QString& path);

// The maker's name in red italic capitals with a soft grey shadow, on white.
QImage MakerLogo();

// The maker's name on a white label whose edges fade out, with an alpha channel.
QImage MakerLabel(int width, int height);

// The Earth seen from orbit with the title and the maker's label in the black band above it.
QImage Splash();

// The Liberation font in the given file (for example "LiberationSerif-Bold.ttf") at a pixel size.
QFont LiberationFont(const QString& fileName, int pixelSize);

}  // namespace art
