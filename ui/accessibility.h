#pragma once
// What a screen reader learns of the game beyond Qt's own reading of its
// widgets: both windows as windows with their captions, the About window's
// addresses as links, the day and the two counts named by their captions, and
// the field and the graph as two Tab stops after all the others, each with a
// short summary that follows the days.

#include <QString>

class QWidget;

namespace noboria {

class MainWindow;
struct World;

// Once, before the first window is shown: the roles above come from here.
void install_accessibility();

// A control that acts as a link; call it before the widget shows any text.
void mark_as_link(QWidget& widget);

// Names the day and the counts, makes the field and the graph summary stops
// and keeps all of it current. Lives as long as the window.
void describe_game(MainWindow& window);

// The graph's summary: the latest counts, each with how it moved since the
// day before (before_z, before_l; negative when there is no day before).
QString graph_summary(int day, int z_num, int l_num, int before_z, int before_l);

}  // namespace noboria
