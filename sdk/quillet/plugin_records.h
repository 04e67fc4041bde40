// The records a plug-in hands the runtime, shared by the host and every plug-in: controls, classes,
// properties, methods, events, the behaviour table and the exports table, with the entry and the resolver.
// Field order is the same on every target; a pointer or function field is pointer-sized and every field
// naturally aligned, so the 32-bit layout is the classic one and the 64-bit layout follows from it.
#pragma once

#include <stdbool.h>
#include <stddef.h>
#include <stdint.h>

#include "quillet/layouts.h"
#include "quillet/types.h"

#ifdef __cplusplus
extern "C" {
#endif

// The resolver answers the host routine of that name (case ignored), or null for a name it does not know.
typedef void* (*QlPluginResolver)(const char* name);
// A plug-in DLL exports this under the name "QUILPluginMain".
typedef void (*QlPluginMain)(QlPluginResolver resolver);

// Any routine of a plug-in; each field says with which signature the host calls it.
typedef void (*QlPluginFunction)(void);
// In a property record's getter or setter: the host reads or writes the value in the instance itself.
#define QL_PLUGIN_DIRECT ((QlPluginFunction)(intptr_t)-1)

// Every record field starts as 0 in C++, so records may name only the fields they use.
#ifdef __cplusplus
#define QL_PLUGIN_ZERO = {}
#else
#define QL_PLUGIN_ZERO
#endif

// Control flags.
#define QL_PLUGIN_FOCUSABLE 0x1u    // the control can take the keyboard focus
#define QL_PLUGIN_INVISIBLE 0x4u    // no pane is made for it
#define QL_PLUGIN_OPAQUE_AREA 0x8u  // its pane reports its bounds as its own drawing area
// Property flags.
#define QL_PLUGIN_REDRAW_ON_SET 0x1u  // after a direct set the control is invalidated

// A control's plug-in data starts behind the RectControl instance and the one word the host keeps for
// each instance: 92 bytes on 32-bit targets, 184 on 64-bit ones.
#define QL_PLUGIN_CONTROL_DATA_OFFSET (sizeof(struct QlControlBase) + sizeof(void*))

// Property record. A getter is called as getter(instance, offset) and a setter as setter(instance, offset,
// value), offset being the record's; the value's C type follows the property type ("Boolean" bool,
// "Integer" and "Color" int32_t, "Single" float, "Double" double, "String" QlString, a class QlObject*).
typedef struct QlPluginPropertyRecord {
  const char* group QL_PLUGIN_ZERO;  // the development environment's grouping only
  const char* name QL_PLUGIN_ZERO;
  const char* type
      QL_PLUGIN_ZERO;  // "Integer", "String", "Boolean", "Single", "Double", "Color" or a class name
  uint32_t flags QL_PLUGIN_ZERO;
  QlPluginFunction getter QL_PLUGIN_ZERO;  // null: none; QL_PLUGIN_DIRECT: read by the host
  QlPluginFunction setter QL_PLUGIN_ZERO;  // null: read-only; QL_PLUGIN_DIRECT: written by the host
  int32_t offset QL_PLUGIN_ZERO;           // of the value inside the plug-in data
  int32_t editor_hint QL_PLUGIN_ZERO;      // these three serve the development environment only
  int32_t enum_count QL_PLUGIN_ZERO;
  const char* const* enum_labels QL_PLUGIN_ZERO;
} QlPluginPropertyRecord;

// Method record: the method's routine, called with the instance and the declared parameters.
typedef struct QlPluginMethodRecord {
  QlPluginFunction function QL_PLUGIN_ZERO;
  QlPluginFunction second_function
      QL_PLUGIN_ZERO;                      // 0 as a rule; what deferred imports of kind "W" resolve to
  const char* declaration QL_PLUGIN_ZERO;  // "AddRow(text As String)"
} QlPluginMethodRecord;

// Event record; the host writes the event's descriptor behind the declaration.
typedef struct QlPluginEventRecord {
  const char* declaration QL_PLUGIN_ZERO;  // "MouseDown(X As Integer, Y As Integer) As Boolean"
  const void* descriptor QL_PLUGIN_ZERO;   // for GetEventInstance
} QlPluginEventRecord;

// Shared (class) method: its routine is the exports table's entry of that index.
typedef struct QlPluginSharedMethodRecord {
  const char* name QL_PLUGIN_ZERO;
  int32_t export_index QL_PLUGIN_ZERO;
} QlPluginSharedMethodRecord;

// One entry of the exports table a plug-in registers; the host reads the routine of the entry an export
// index names. The table ends at an entry with neither label nor routine; an entry with a label but a null
// routine is a hole, and the entries after it keep their indexes.
typedef struct QlPluginExport {
  const char* label QL_PLUGIN_ZERO;
  QlPluginFunction function QL_PLUGIN_ZERO;
  const void* reserved QL_PLUGIN_ZERO;
} QlPluginExport;

// The behaviour table of a control: each entry may be null; the instance comes first.
typedef struct QlPluginBehaviour {
  void (*created)(QlObject* instance) QL_PLUGIN_ZERO;
  void (*destroying)(QlObject* instance) QL_PLUGIN_ZERO;
  void (*draw)(QlObject* instance, QlObject* graphics) QL_PLUGIN_ZERO;
  bool (*mouse_down)(QlObject* instance, int32_t x, int32_t y,
                     int32_t modifiers) QL_PLUGIN_ZERO;  // true: track
  void (*mouse_drag)(QlObject* instance, int32_t x, int32_t y) QL_PLUGIN_ZERO;
  void (*mouse_up)(QlObject* instance, int32_t x, int32_t y) QL_PLUGIN_ZERO;
  void (*gained_focus)(QlObject* instance) QL_PLUGIN_ZERO;
  void (*lost_focus)(QlObject* instance) QL_PLUGIN_ZERO;
  bool (*key_down)(QlObject* instance, uint8_t character, uint8_t key_code,
                   int16_t modifiers) QL_PLUGIN_ZERO;  // handled
  void (*opened)(QlObject* instance) QL_PLUGIN_ZERO;
  void (*closing)(QlObject* instance) QL_PLUGIN_ZERO;
  void (*idle)(QlObject* instance) QL_PLUGIN_ZERO;  // at most every 10 ticks
  void (*draw_into)(QlObject* instance, QlObject* graphics) QL_PLUGIN_ZERO;
  bool (*command)(QlObject* instance) QL_PLUGIN_ZERO;  // handled
} QlPluginBehaviour;

// Control description record, version 3 and later (shared methods and interfaces from version 4).
typedef struct QlPluginControlRecord {
  int32_t version QL_PLUGIN_ZERO;
  const char* name QL_PLUGIN_ZERO;
  int32_t data_size QL_PLUGIN_ZERO;
  uint32_t flags QL_PLUGIN_ZERO;
  int32_t icon_id QL_PLUGIN_ZERO;  // the two palette icons serve the development environment only
  int32_t second_icon_id QL_PLUGIN_ZERO;
  int32_t default_width QL_PLUGIN_ZERO;
  int32_t default_height QL_PLUGIN_ZERO;
  const QlPluginPropertyRecord* properties QL_PLUGIN_ZERO;
  int32_t property_count QL_PLUGIN_ZERO;
  const QlPluginMethodRecord* methods QL_PLUGIN_ZERO;
  int32_t method_count QL_PLUGIN_ZERO;
  QlPluginEventRecord* events QL_PLUGIN_ZERO;
  int32_t event_count QL_PLUGIN_ZERO;
  const QlPluginBehaviour* behaviour QL_PLUGIN_ZERO;
  int32_t data_offset QL_PLUGIN_ZERO;  // written by the host
  const QlPluginSharedMethodRecord* shared_methods QL_PLUGIN_ZERO;
  int32_t shared_method_count QL_PLUGIN_ZERO;
  const char* interfaces QL_PLUGIN_ZERO;  // comma-separated, or null
} QlPluginControlRecord;

// Class description record, for classes that are not controls.
typedef struct QlPluginClassRecord {
  int32_t version QL_PLUGIN_ZERO;
  const char* name QL_PLUGIN_ZERO;
  const char* superclass QL_PLUGIN_ZERO;  // null or empty: none
  int32_t data_size QL_PLUGIN_ZERO;
  int32_t data_offset QL_PLUGIN_ZERO;  // written by the host
  void (*constructor)(QlObject* instance) QL_PLUGIN_ZERO;
  void (*destructor)(QlObject* instance) QL_PLUGIN_ZERO;
  const QlPluginPropertyRecord* properties QL_PLUGIN_ZERO;
  int32_t property_count QL_PLUGIN_ZERO;
  const QlPluginMethodRecord* methods QL_PLUGIN_ZERO;
  int32_t method_count QL_PLUGIN_ZERO;
  QlPluginEventRecord* events QL_PLUGIN_ZERO;
  int32_t event_count QL_PLUGIN_ZERO;
  const QlPluginSharedMethodRecord* shared_methods QL_PLUGIN_ZERO;
  int32_t shared_method_count QL_PLUGIN_ZERO;
  const char* interfaces QL_PLUGIN_ZERO;
} QlPluginClassRecord;

// Version 1 records. A method names its routine by export index; a property is always accessed directly.
typedef struct QlPluginMethodRecordV1 {
  int32_t export_index QL_PLUGIN_ZERO;
  const char* declaration QL_PLUGIN_ZERO;
} QlPluginMethodRecordV1;

typedef struct QlPluginPropertyRecordV1 {
  const char* group QL_PLUGIN_ZERO;
  const char* name QL_PLUGIN_ZERO;
  const char* type QL_PLUGIN_ZERO;
  uint32_t flags QL_PLUGIN_ZERO;
  int32_t offset QL_PLUGIN_ZERO;
} QlPluginPropertyRecordV1;

typedef struct QlPluginControlRecordV1 {
  int32_t version QL_PLUGIN_ZERO;  // 1
  const char* name QL_PLUGIN_ZERO;
  int32_t data_size QL_PLUGIN_ZERO;
  uint32_t flags QL_PLUGIN_ZERO;
  int32_t icon_id QL_PLUGIN_ZERO;
  const QlPluginPropertyRecordV1* properties QL_PLUGIN_ZERO;
  int32_t property_count QL_PLUGIN_ZERO;
  const QlPluginMethodRecordV1* methods QL_PLUGIN_ZERO;
  int32_t method_count QL_PLUGIN_ZERO;
  QlPluginEventRecord* events QL_PLUGIN_ZERO;
  int32_t event_count QL_PLUGIN_ZERO;
  const QlPluginBehaviour* behaviour QL_PLUGIN_ZERO;
  int32_t data_offset QL_PLUGIN_ZERO;  // written by the host
} QlPluginControlRecordV1;

// What GetControlBounds copies: the control's rectangle in its window's content coordinates.
typedef struct QlPluginRect {
  int16_t top QL_PLUGIN_ZERO, left QL_PLUGIN_ZERO, bottom QL_PLUGIN_ZERO, right QL_PLUGIN_ZERO;
} QlPluginRect;

// What lockPictureDescription fills in.
typedef struct QlPluginPictureDescription {
  int32_t width QL_PLUGIN_ZERO;
  int32_t height QL_PLUGIN_ZERO;
} QlPluginPictureDescription;

#ifdef __cplusplus
}  // extern "C"
#endif

#if UINTPTR_MAX == 0xFFFFFFFFu
#define QL_PLUGIN_AT(type, field, offset) static_assert(offsetof(type, field) == (offset), #type "." #field)
QL_PLUGIN_AT(QlPluginControlRecord, version, 0);
QL_PLUGIN_AT(QlPluginControlRecord, name, 4);
QL_PLUGIN_AT(QlPluginControlRecord, data_size, 8);
QL_PLUGIN_AT(QlPluginControlRecord, flags, 12);
QL_PLUGIN_AT(QlPluginControlRecord, icon_id, 16);
QL_PLUGIN_AT(QlPluginControlRecord, second_icon_id, 20);
QL_PLUGIN_AT(QlPluginControlRecord, default_width, 24);
QL_PLUGIN_AT(QlPluginControlRecord, default_height, 28);
QL_PLUGIN_AT(QlPluginControlRecord, properties, 32);
QL_PLUGIN_AT(QlPluginControlRecord, property_count, 36);
QL_PLUGIN_AT(QlPluginControlRecord, methods, 40);
QL_PLUGIN_AT(QlPluginControlRecord, method_count, 44);
QL_PLUGIN_AT(QlPluginControlRecord, events, 48);
QL_PLUGIN_AT(QlPluginControlRecord, event_count, 52);
QL_PLUGIN_AT(QlPluginControlRecord, behaviour, 56);
QL_PLUGIN_AT(QlPluginControlRecord, data_offset, 60);
QL_PLUGIN_AT(QlPluginControlRecord, shared_methods, 64);
QL_PLUGIN_AT(QlPluginControlRecord, shared_method_count, 68);
QL_PLUGIN_AT(QlPluginControlRecord, interfaces, 72);
static_assert(sizeof(QlPluginControlRecord) == 76, "control record");

QL_PLUGIN_AT(QlPluginClassRecord, version, 0);
QL_PLUGIN_AT(QlPluginClassRecord, name, 4);
QL_PLUGIN_AT(QlPluginClassRecord, superclass, 8);
QL_PLUGIN_AT(QlPluginClassRecord, data_size, 12);
QL_PLUGIN_AT(QlPluginClassRecord, data_offset, 16);
QL_PLUGIN_AT(QlPluginClassRecord, constructor, 20);
QL_PLUGIN_AT(QlPluginClassRecord, destructor, 24);
QL_PLUGIN_AT(QlPluginClassRecord, properties, 28);
QL_PLUGIN_AT(QlPluginClassRecord, property_count, 32);
QL_PLUGIN_AT(QlPluginClassRecord, methods, 36);
QL_PLUGIN_AT(QlPluginClassRecord, method_count, 40);
QL_PLUGIN_AT(QlPluginClassRecord, events, 44);
QL_PLUGIN_AT(QlPluginClassRecord, event_count, 48);
QL_PLUGIN_AT(QlPluginClassRecord, shared_methods, 52);
QL_PLUGIN_AT(QlPluginClassRecord, shared_method_count, 56);
QL_PLUGIN_AT(QlPluginClassRecord, interfaces, 60);
static_assert(sizeof(QlPluginClassRecord) == 64, "class record");

QL_PLUGIN_AT(QlPluginPropertyRecord, group, 0);
QL_PLUGIN_AT(QlPluginPropertyRecord, name, 4);
QL_PLUGIN_AT(QlPluginPropertyRecord, type, 8);
QL_PLUGIN_AT(QlPluginPropertyRecord, flags, 12);
QL_PLUGIN_AT(QlPluginPropertyRecord, getter, 16);
QL_PLUGIN_AT(QlPluginPropertyRecord, setter, 20);
QL_PLUGIN_AT(QlPluginPropertyRecord, offset, 24);
QL_PLUGIN_AT(QlPluginPropertyRecord, editor_hint, 28);
QL_PLUGIN_AT(QlPluginPropertyRecord, enum_count, 32);
QL_PLUGIN_AT(QlPluginPropertyRecord, enum_labels, 36);
static_assert(sizeof(QlPluginPropertyRecord) == 40, "property record");

QL_PLUGIN_AT(QlPluginMethodRecord, function, 0);
QL_PLUGIN_AT(QlPluginMethodRecord, second_function, 4);
QL_PLUGIN_AT(QlPluginMethodRecord, declaration, 8);
static_assert(sizeof(QlPluginMethodRecord) == 12, "method record");
QL_PLUGIN_AT(QlPluginEventRecord, descriptor, 4);
static_assert(sizeof(QlPluginEventRecord) == 8, "event record");
QL_PLUGIN_AT(QlPluginSharedMethodRecord, export_index, 4);
static_assert(sizeof(QlPluginSharedMethodRecord) == 8, "shared method record");
QL_PLUGIN_AT(QlPluginExport, function, 4);
static_assert(sizeof(QlPluginExport) == 12, "exports table entry");
static_assert(sizeof(QlPluginBehaviour) == 14 * 4, "behaviour table");

QL_PLUGIN_AT(QlPluginControlRecordV1, icon_id, 16);
QL_PLUGIN_AT(QlPluginControlRecordV1, properties, 20);
QL_PLUGIN_AT(QlPluginControlRecordV1, behaviour, 44);
QL_PLUGIN_AT(QlPluginControlRecordV1, data_offset, 48);
static_assert(sizeof(QlPluginControlRecordV1) == 52, "version-1 control record");
static_assert(sizeof(QlPluginPropertyRecordV1) == 20, "version-1 property record");
static_assert(sizeof(QlPluginMethodRecordV1) == 8, "version-1 method record");
static_assert(QL_PLUGIN_CONTROL_DATA_OFFSET == 92, "plug-in data of a control starts at 92");
#undef QL_PLUGIN_AT
#elif UINTPTR_MAX == 0xFFFFFFFFFFFFFFFFu
#define QL_PLUGIN_AT(type, field, offset) static_assert(offsetof(type, field) == (offset), #type "." #field)
QL_PLUGIN_AT(QlPluginControlRecord, name, 8);
QL_PLUGIN_AT(QlPluginControlRecord, data_size, 16);
QL_PLUGIN_AT(QlPluginControlRecord, properties, 40);
QL_PLUGIN_AT(QlPluginControlRecord, methods, 56);
QL_PLUGIN_AT(QlPluginControlRecord, events, 72);
QL_PLUGIN_AT(QlPluginControlRecord, behaviour, 88);
QL_PLUGIN_AT(QlPluginControlRecord, data_offset, 96);
QL_PLUGIN_AT(QlPluginControlRecord, shared_methods, 104);
QL_PLUGIN_AT(QlPluginControlRecord, interfaces, 120);
static_assert(sizeof(QlPluginControlRecord) == 128, "control record");
QL_PLUGIN_AT(QlPluginClassRecord, data_size, 24);
QL_PLUGIN_AT(QlPluginClassRecord, data_offset, 28);
QL_PLUGIN_AT(QlPluginClassRecord, constructor, 32);
QL_PLUGIN_AT(QlPluginClassRecord, interfaces, 112);
static_assert(sizeof(QlPluginClassRecord) == 120, "class record");
QL_PLUGIN_AT(QlPluginPropertyRecord, getter, 32);
QL_PLUGIN_AT(QlPluginPropertyRecord, offset, 48);
QL_PLUGIN_AT(QlPluginPropertyRecord, enum_labels, 64);
static_assert(sizeof(QlPluginPropertyRecord) == 72, "property record");
static_assert(sizeof(QlPluginMethodRecord) == 24, "method record");
static_assert(sizeof(QlPluginEventRecord) == 16, "event record");
static_assert(sizeof(QlPluginSharedMethodRecord) == 16, "shared method record");
static_assert(sizeof(QlPluginExport) == 24, "exports table entry");
static_assert(sizeof(QlPluginBehaviour) == 14 * 8, "behaviour table");
QL_PLUGIN_AT(QlPluginControlRecordV1, properties, 32);
QL_PLUGIN_AT(QlPluginControlRecordV1, data_offset, 88);
static_assert(sizeof(QlPluginControlRecordV1) == 96, "version-1 control record");
static_assert(sizeof(QlPluginPropertyRecordV1) == 32, "version-1 property record");
static_assert(sizeof(QlPluginMethodRecordV1) == 16, "version-1 method record");
static_assert(QL_PLUGIN_CONTROL_DATA_OFFSET == 184, "plug-in data of a control starts at 184");
#undef QL_PLUGIN_AT
#endif
