#include "pictures/PictureController.h"

#include "core/Services.h"
#include "pictures/PictureClipboard.h"
#include "pictures/PicturePanel.h"

namespace calctutor {

PictureController::PictureController(PicturePanel& picture1, PicturePanel& picture2, RandomSource& random,
                                     Beep& beep, PictureClipboard& clipboard)
    : m_picture1(picture1), m_picture2(picture2), m_random(random), m_beep(beep), m_clipboard(clipboard)
{
}

void PictureController::showGraph(int /*graphNumber*/)
{
}

void PictureController::copyPicture()
{
}

void PictureController::tick()
{
    m_beep.beep();
}

} // namespace calctutor
