#pragma once
// A click on a window's close box, as the window system hands it to the program.
class QWidget;

// Queues the request to close the window among the window system's events, where a click on the
// close box arrives: it is read when the program next reads such events, as the user's clicks and
// keys are, not delivered at once as QWidget::close() delivers it.
void pideCierre(QWidget* ventana);
