#pragma once

class QImage;

// What the tabbed browser does with a picture dropped on one of its tabs. The host
// hands the control one; a control without one takes no pictures.
class PictureDropHandler
{
public:
    virtual ~PictureDropHandler() = default;

    virtual void showPicture(const QImage &picture) = 0;
};
