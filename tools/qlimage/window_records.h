// Window descriptions as data1 records: a 4-byte length, then the stream the runtime decodes, each defining
// the data symbol that compiled code passes to RuntimeCreateWindow. Control entries with a count become that
// many control records with Index 0 .. count - 1.
#pragma once

#include "qlimage/class_list.h"
#include "qlimage/data1_records.h"
#include "qlimage/diagnostics.h"
#include "qlimage/project.h"

namespace qlimage {

// Sets the records of the windows' generated symbols; false after reporting every problem.
bool add_window_descriptions(Data1Records& records, const Project& project, const ClassList& classes,
                             Resolution& resolution, Diagnostics& diagnostics);

}  // namespace qlimage
