#pragma once

#include <QtGlobal>

// One picture of the window icon: `size` x `size` pixels, premultiplied ARGB, row by row.
// The build draws them from the icon's SVG (data/render_icon.cpp), smallest first.
struct IconPicture {
    int size;
    const quint32 *argb;
};

extern const IconPicture iconPictures[];
extern const int iconPictureCount;
