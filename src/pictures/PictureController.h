#pragma once
// What the window's picture buttons, the graph routines and the timer do with
// the two picture panels: show a graph, copy the left panel's picture to the
// right one through the clipboard, and draw one circle per timer tick. The
// graphs' numbers come from the data file built in beside the course.

#include "script/GraphData.h"

#include <vector>

namespace calctutor {

class Beep;
class PictureClipboard;
class PicturePanel;
class RandomSource;

class PictureController {
public:
    PictureController(PicturePanel& left, PicturePanel& right, RandomSource& random, Beep& beep,
                      PictureClipboard& clipboard);

    // Makes graph graphNumber the left panel's picture; a graph the data file
    // does not list leaves both panels as they are.
    void showGraph(int graphNumber);

    // Places the left panel's picture (not what is drawn over it) on the
    // clipboard and makes the image read back the right panel's picture.
    // Without a picture, or when the clipboard gives no image back, the right
    // panel stays as it was.
    void copyPicture();

    // One step of the timer experiment: a beep and one circle about the middle
    // of the left panel, its radius a random fraction of half the panel's width.
    void tick();

private:
    PicturePanel& m_left;
    PicturePanel& m_right;
    RandomSource& m_random;
    Beep& m_beep;
    PictureClipboard& m_clipboard;
    std::vector<Graph> m_graphs;
};

} // namespace calctutor
