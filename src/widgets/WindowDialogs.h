#pragma once

#include "platform/Dialogs.h"

#include <QPoint>

class QAction;
class QDialog;
class QMenu;

// The dialogs of the program as Qt modal widgets: the real message boxes, input
// boxes and file, colour, font and folder dialogs that answer the dialog
// wrapper's requests, and the two requests only a window can make, a pop-up menu
// and a modal form (answered by the responder too while one is installed).
namespace dialogs {

// Puts the real dialogs behind the wrapper. Runs by itself as the application
// object is created in every program that links this library.
void installWindowDialogs();

// Pops up menu at a global position and triggers the chosen item before it returns
// (its handler runs synchronously); returns that item or nullptr. A responder's
// choice of a disabled item counts as no choice, as a click on it would.
QAction *popupMenu(QMenu *menu, const QPoint &globalPos, QAction *defaultAction = nullptr);

// Shows a loaded modal form and returns its result. With a responder installed the
// form is shown without a modal loop while the responder runs; the responder may
// drive its widgets and close it with done(), whose code is returned. A form the
// responder leaves open is closed with done(answer.formResult).
int showModal(QDialog *form);

} // namespace dialogs
