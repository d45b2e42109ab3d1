#pragma once

class QWidget;

// Builds the timer editor's controls, named as its handlers find them: a tab
// per port with its ten timers and inactivity macro, a "Global" tab with five
// frames, and the buttons below.
void BuildTimersLayout(QWidget* editor);
