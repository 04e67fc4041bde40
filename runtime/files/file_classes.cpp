// Defining the classes of the files layer with their layouts, properties and methods.
#include "files/file_classes.h"

#include "files/folder_item.h"
#include "files/stream_objects.h"
#include "objects/class_object.h"
#include "objects/class_registry.h"
#include "objects/objects.h"
#include "quillet/files.h"
#include "quillet/objects.h"
#include "quillet/strings.h"

namespace ql {

namespace {

template <typename Routine>
uintptr_t code(Routine routine) {
  return reinterpret_cast<uintptr_t>(routine);
}

// OpenResourceFork and CreateResourceFork: resource forks do not exist here.
QlObject* no_resource_fork(QlObject*) { return nullptr; }

struct Defined {
  ClassObject* folder_item = nullptr;
  ClassObject* text_input = nullptr;
  ClassObject* text_output = nullptr;
  ClassObject* binary = nullptr;
};
Defined defined;

ClassObject* define(const char* name, int32_t size, ObjectRoutine destructor) {
  ClassObject* cls = define_builtin_class(name, nullptr, size);
  cls->destructor = destructor;
  cls->properties.clear();
  cls->methods.clear();
  return cls;
}

void add_property(ClassObject* cls, const char* name, const void* type, uintptr_t getter,
                  uintptr_t setter = 0, intptr_t parameter = 0) {
  cls->properties.push_back({name, type, getter, setter, parameter, 0});
}

void add_method(ClassObject* cls, const char* name, uintptr_t routine) {
  cls->methods.push_back({name, routine, 0});
}

void define_folder_item() {
  ClassObject* cls = define("FolderItem", sizeof(FolderItemObject), destroy_folder_item);
  const ClassObject* date = builtin_class("Date");
  add_property(cls, "AbsolutePath", nullptr, code(fileAbsolutePathGetter));
  add_property(cls, "Count", nullptr, code(fileCountGetter));
  add_property(cls, "Name", nullptr, code(fileNameGetter), code(fileNameSetter));
  add_property(cls, "Length", nullptr, code(fileSizeGetter));
  add_property(cls, "ResourceForkLength", nullptr, code(fileRFSizeGetter));
  add_property(cls, "Locked", nullptr, code(fileLockedGetter), code(fileLockedSetter));
  add_property(cls, "Exists", nullptr, code(fileExistsGetter));
  add_property(cls, "Alias", nullptr, code(fileAliasGetter));
  add_property(cls, "Visible", nullptr, code(fileVisibleGetter), code(fileVisibleSetter));
  add_property(cls, "Directory", nullptr, code(fileDirectoryGetter));
  add_property(cls, "Type", nullptr, code(fileTypeGetter));
  add_property(cls, "Parent", cls, code(folderParentGetter));
  add_property(cls, "CreationDate", date, code(folderGetCreation), code(folderSetCreation));
  add_property(cls, "ModificationDate", date, code(folderGetModified), code(folderSetModified));
  add_property(cls, "MacType", nullptr, code(fileMacTypeGetter), code(fileMacTypeSetter));
  add_property(cls, "MacCreator", nullptr, code(fileMacCreatorGetter), code(fileMacCreatorSetter));
  const char* const found_folders[] = {"DesktopFolder", "TrashFolder", "SharedTrashFolder",
                                       "TemporaryFolder"};
  for (intptr_t selector = 1; selector <= 4; ++selector)
    add_property(cls, found_folders[selector - 1], cls, code(folderFindFolder), 0, selector);

  add_method(cls, "Item", code(FolderItemItem));
  add_method(cls, "TrueItem", code(FolderItemTrueItem));
  add_method(cls, "Child", code(FolderChild));
  add_method(cls, "TrueChild", code(FolderTrueChild));
  add_method(cls, "OpenAsTextFile", code(FolderItemOpenTextFile));
  add_method(cls, "AppendToTextFile", code(FolderItemAppendTextFile));
  add_method(cls, "CreateTextFile", code(FolderItemCreateTextFile));
  add_method(cls, "OpenAsBinaryFile", code(FolderItemOpenBinaryFile));
  add_method(cls, "CreateBinaryFile", code(FolderItemCreateBinaryFile));
  add_method(cls, "OpenResourceFork", code(no_resource_fork));
  add_method(cls, "CreateResourceFork", code(no_resource_fork));
  add_method(cls, "OpenAsPicture", code(FolderItemOpenImage));
  add_method(cls, "OpenAsSound", code(FolderItemOpenSound));
  add_method(cls, "OpenAsMovie", code(FolderItemOpenMovie));
  add_method(cls, "Delete", code(FolderItemDelete));
  add_method(cls, "CreateAsFolder", code(FolderItemCreateAsFolder));
  add_method(cls, "Launch", code(FolderItemLaunch));
  add_method(cls, "CopyFileTo", code(FolderItemCopyFileTo));
  add_method(cls, "MoveFileTo", code(FolderItemMoveFileTo));
  add_method(cls, "SaveAsPicture", code(FolderItemSaveAsPicture));
  add_method(cls, "OpenStyledEditField", code(FolderItemOpenStyledEditField));
  add_method(cls, "SaveStyledEditField", code(FolderItemSaveStyledEditField));
  defined.folder_item = cls;
}

void define_streams() {
  ClassObject* input = define("TextInputStream", sizeof(TextInputStreamObject), destroy_text_input_stream);
  add_property(input, "EOF", nullptr, code(TextInputStreamEOF));
  add_method(input, "ReadLine", code(TextInputStreamReadLine));
  add_method(input, "ReadAll", code(TextInputStreamReadAll));
  add_method(input, "Close", code(TextInputStreamClose));
  defined.text_input = input;

  ClassObject* output =
      define("TextOutputStream", sizeof(TextOutputStreamObject), destroy_text_output_stream);
  add_property(output, "Delimiter", nullptr, code(stringGetter), code(stringSetter),
               offsetof(TextOutputStreamObject, delimiter));
  add_method(output, "WriteLine", code(TextOutputStreamWriteLine));
  add_method(output, "Write", code(TextOutputStreamWrite));
  add_method(output, "Close", code(TextOutputStreamClose));
  defined.text_output = output;

  ClassObject* binary = define("BinaryStream", sizeof(BinaryStreamObject), destroy_binary_stream);
  add_property(binary, "LittleEndian", nullptr, code(int8Getter), code(int8Setter),
               offsetof(BinaryStreamObject, little_endian));
  add_property(binary, "EOF", nullptr, code(BinaryStreamEOF));
  add_property(binary, "Length", nullptr, code(BinaryStreamGetLength), code(BinaryStreamSetLength));
  add_property(binary, "Position", nullptr, code(BinaryStreamGetPosition), code(BinaryStreamSetPosition));
  const struct {
    const char* name;
    uintptr_t routine;
  } methods[] = {
      {"ReadByte", code(BinaryStreamReadByte)},
      {"ReadShort", code(BinaryStreamReadShort)},
      {"ReadLong", code(BinaryStreamReadLong)},
      {"ReadPString", code(BinaryStreamReadPString)},
      {"ReadSingle", code(BinaryStreamReadFloat)},
      {"ReadDouble", code(BinaryStreamReadDouble)},
      {"Read", code(BinaryStreamRead)},
      {"WriteByte", code(BinaryStreamWriteByte)},
      {"WriteShort", code(BinaryStreamWriteShort)},
      {"WriteLong", code(BinaryStreamWriteLong)},
      {"WritePString", code(BinaryStreamWritePString)},
      {"WriteSingle", code(BinaryStreamWriteFloat)},
      {"WriteDouble", code(BinaryStreamWriteDouble)},
      {"Write", code(BinaryStreamWrite)},
      {"Close", code(BinaryStreamClose)},
  };
  for (const auto& method : methods) add_method(binary, method.name, method.routine);
  defined.binary = binary;
}

// A class is current while its registry entry still has this layer's size and destructor.
bool current(const ClassObject* cls, int32_t size, ObjectRoutine destructor) {
  return cls && cls->instance_size == size && cls->destructor == destructor && !cls->methods.empty();
}

}  // namespace

void define_file_classes() {
  define_folder_item();
  define_streams();
}

ClassObject* folder_item_class() {
  if (!current(defined.folder_item, sizeof(FolderItemObject), destroy_folder_item)) define_file_classes();
  return defined.folder_item;
}

ClassObject* text_input_stream_class() {
  if (!current(defined.text_input, sizeof(TextInputStreamObject), destroy_text_input_stream))
    define_file_classes();
  return defined.text_input;
}

ClassObject* text_output_stream_class() {
  if (!current(defined.text_output, sizeof(TextOutputStreamObject), destroy_text_output_stream))
    define_file_classes();
  return defined.text_output;
}

ClassObject* binary_stream_class() {
  if (!current(defined.binary, sizeof(BinaryStreamObject), destroy_binary_stream)) define_file_classes();
  return defined.binary;
}

}  // namespace ql
