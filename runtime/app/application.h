// The application object and the quit flag of the event loop.
#pragma once

#include "quillet/types.h"

namespace ql {

struct ClassObject;

// Creates the application object: an instance of application_class, or a plain Application when it is null.
void create_application_object(ClassObject* application_class);
QlObject* application_object();  // null before start-up made it
// The application's MouseCursor property (borrowed), nil when none is set.
QlObject* application_mouse_cursor();

// Fires the Application event of that name on the application object.
void fire_application_event(const char* name);

// Set once; RuntimeRun's loop ends at its next pass.
void set_quit_flag();
bool quit_flag();

}  // namespace ql
