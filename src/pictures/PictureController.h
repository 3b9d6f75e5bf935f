#pragma once
// What the window's picture buttons, the graph routines and the timer do with
// the two picture panels: show a graph, copy the left panel's picture to the
// right one through the clipboard, and draw one circle per timer tick.

namespace calctutor {

class Beep;
class PictureClipboard;
class PicturePanel;
class RandomSource;

class PictureController {
public:
    PictureController(PicturePanel& picture1, PicturePanel& picture2, RandomSource& random, Beep& beep,
                      PictureClipboard& clipboard);

    void showGraph(int graphNumber);
    void copyPicture();
    void tick();

private:
    PicturePanel& m_picture1;
    PicturePanel& m_picture2;
    RandomSource& m_random;
    Beep& m_beep;
    PictureClipboard& m_clipboard;
};

} // namespace calctutor
