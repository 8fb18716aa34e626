#pragma once

class QByteArray;

// What the tabbed browser does with a picture dropped on one of its tabs. The host
// hands the control one; a control without one takes no pictures.
class PictureDropHandler
{
public:
    virtual ~PictureDropHandler() = default;

    // `encoded` is the picture file's bytes, its format told by its content: nothing
    // of it has been decoded, so a picture too large to hold can still be refused.
    virtual void showPicture(const QByteArray &encoded) = 0;
};
