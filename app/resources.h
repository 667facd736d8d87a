#pragma once

// Makes the artwork compiled into the static library available to the program (the piece
// strips, the tool bar strip and the icons). Safe to call more than once.
void InitResources();

class QIcon;
// The program's icon at every size drawn, 16 to 256 pixels, so that it stays sharp at any
// size and on screens of twice the density.
QIcon ProgramIcon();
