// Entry points of folder items, the file dialogs and file streams.
#pragma once

#include <stdbool.h>

#include "quillet/types.h"

// Obtaining folder items. Each returns a new item (one reference for the caller) or nil.
QL_API QlObject* RuntimeGetFolderItem(QlString name);  // relative names: in the application's folder
QL_API QlObject* RuntimeGetTrueFolderItem(QlString name);
QL_API QlObject* FolderChild(QlObject* item, QlString name);
QL_API QlObject* FolderTrueChild(QlObject* item, QlString name);
QL_API QlObject* FolderItemItem(QlObject* item, int32_t n);  // 1-based; nil outside 1 to Count
QL_API QlObject* FolderItemTrueItem(QlObject* item, int32_t n);
QL_API int32_t fileCountGetter(QlObject* item);
QL_API QlObject* folderParentGetter(QlObject* item);
QL_API int32_t getVolumeCount(void);
QL_API QlObject* getVolume(int32_t index);  // 0-based: C to Z, then A and B
QL_API QlObject* getTemporaryFolderItem(void);
// The system's Open and Save dialogs; types names file types of the image, separated by ";". Nil when the
// user cancels.
QL_API QlObject* RuntimeGetOpenFolderItem(QlString types);
QL_API QlObject* RuntimeGetSaveFolderItem(QlString types, QlString suggested_name);

// Special folders.
QL_API QlObject* getDesktopFolder(void);
QL_API QlObject* getAppleMenuFolder(void);
QL_API QlObject* getControlPanelsFolder(void);
QL_API QlObject* getStartupItemsFolder(void);
QL_API QlObject* getFontsFolder(void);
QL_API QlObject* getTrashFolder(void);
QL_API QlObject* getShutdownItemsFolder(void);
QL_API QlObject* getPreferencesFolder(void);
QL_API QlObject* getSystemFolder(void);
QL_API QlObject* getExtensionsFolder(void);
QL_API QlObject* getTemporaryItemsFolder(void);
// The user's own application-data folder: %APPDATA% when it is set, else the shell folder CSIDL_APPDATA.
QL_API QlObject* getApplicationDataFolder(void);

// Properties of a folder item. Failures give 0, false, the empty string or nil.
QL_API bool fileExistsGetter(QlObject* item);
QL_API QlString fileAbsolutePathGetter(QlObject* item);
QL_API QlString fileNameGetter(QlObject* item);
QL_API void fileNameSetter(QlObject* item, QlString name);  // renames on disk
QL_API int32_t fileSizeGetter(QlObject* item);
QL_API int32_t fileRFSizeGetter(QlObject* item);
QL_API bool fileDirectoryGetter(QlObject* item);
QL_API bool fileLockedGetter(QlObject* item);
QL_API void fileLockedSetter(QlObject* item, bool locked);
QL_API bool fileVisibleGetter(QlObject* item);
QL_API void fileVisibleSetter(QlObject* item, bool visible);
QL_API bool fileAliasGetter(QlObject* item);
QL_API QlString fileTypeGetter(QlObject* item);
QL_API QlString fileMacTypeGetter(QlObject* item);
QL_API void fileMacTypeSetter(QlObject* item, QlString code);
QL_API QlString fileMacCreatorGetter(QlObject* item);
QL_API void fileMacCreatorSetter(QlObject* item, QlString code);
QL_API QlObject* folderGetCreation(QlObject* item);
QL_API void folderSetCreation(QlObject* item, QlObject* date);
QL_API QlObject* folderGetModified(QlObject* item);
QL_API void folderSetModified(QlObject* item, QlObject* date);
QL_API QlObject* folderFindFolder(QlObject* item, int32_t selector);

// Actions on a folder item. Failures have no effect.
QL_API void FolderItemDelete(QlObject* item);
QL_API void FolderItemCreateAsFolder(QlObject* item);
QL_API void FolderItemCopyFileTo(QlObject* item, QlObject* destination);
QL_API void FolderItemMoveFileTo(QlObject* item, QlObject* destination);
// Renames the item's file to name (combined as fileNameSetter does), replacing a file of that name in one
// step, so the name always holds the old file or the new one. True when done; only then does the item take
// the new path.
QL_API bool FolderItemRenameOver(QlObject* item, QlString name);
QL_API void FolderItemLaunch(QlObject* item);
QL_API QlObject* FolderItemOpenImage(QlObject* item);
QL_API QlObject* FolderItemOpenSound(QlObject* item);
QL_API QlObject* FolderItemOpenMovie(QlObject* item);
QL_API void FolderItemSaveAsPicture(QlObject* item, QlObject* picture);
QL_API void FolderItemOpenStyledEditField(QlObject* item, QlObject* field);
QL_API void FolderItemSaveStyledEditField(QlObject* item, QlObject* field);

// Streams on a folder item: a new stream object, or nil when the system refuses the file.
QL_API QlObject* FolderItemOpenTextFile(QlObject* item);    // TextInputStream
QL_API QlObject* FolderItemCreateTextFile(QlObject* item);  // TextOutputStream; creates or empties
QL_API QlObject* FolderItemAppendTextFile(QlObject* item);  // TextOutputStream at the end of the file
QL_API QlObject* FolderItemOpenBinaryFile(QlObject* item, bool writable);  // BinaryStream
QL_API QlObject* FolderItemCreateBinaryFile(QlObject* item);               // BinaryStream; creates or empties

// TextInputStream. A closed stream reads the empty string and is never at its end.
QL_API QlString TextInputStreamReadLine(QlObject* stream);  // without its line end (CR, LF or CR LF)
QL_API QlString TextInputStreamReadAll(QlObject* stream);
QL_API bool TextInputStreamEOF(QlObject* stream);
QL_API void TextInputStreamClose(QlObject* stream);

// TextOutputStream. Text passes byte for byte; writes on a closed stream do nothing.
QL_API void TextOutputStreamWrite(QlObject* stream, QlString text);
QL_API void TextOutputStreamWriteLine(QlObject* stream, QlString text);  // then Delimiter, or CR LF
QL_API void TextOutputStreamClose(QlObject* stream);

// BinaryStream. Multi-byte values are big-endian unless LittleEndian is set. Short reads and a closed
// stream give 0, 0.0 or the empty string; writes on a closed stream do nothing.
QL_API int32_t BinaryStreamReadByte(QlObject* stream);
QL_API int32_t BinaryStreamReadShort(QlObject* stream);
QL_API int32_t BinaryStreamReadLong(QlObject* stream);
QL_API double BinaryStreamReadFloat(QlObject* stream);
QL_API double BinaryStreamReadDouble(QlObject* stream);
QL_API QlString BinaryStreamReadPString(QlObject* stream);
QL_API QlString BinaryStreamRead(QlObject* stream, int32_t n);
QL_API void BinaryStreamWriteByte(QlObject* stream, int32_t value);
QL_API void BinaryStreamWriteShort(QlObject* stream, int32_t value);
QL_API void BinaryStreamWriteLong(QlObject* stream, int32_t value);
QL_API void BinaryStreamWriteFloat(QlObject* stream, double value);
QL_API void BinaryStreamWriteDouble(QlObject* stream, double value);
QL_API void BinaryStreamWritePString(QlObject* stream, QlString text);  // at most 255 bytes
QL_API void BinaryStreamWrite(QlObject* stream, QlString text);
QL_API bool BinaryStreamEOF(QlObject* stream);  // true when closed
QL_API int32_t BinaryStreamGetLength(QlObject* stream);
QL_API void BinaryStreamSetLength(QlObject* stream, int32_t length);
QL_API int32_t BinaryStreamGetPosition(QlObject* stream);
QL_API void BinaryStreamSetPosition(QlObject* stream, int32_t position);
QL_API void BinaryStreamClose(QlObject* stream);

// Byte offsets of the stream properties kept in the object: TextOutputStream's Delimiter (a string, read and
// written with stringGetter and stringSetter) and BinaryStream's LittleEndian (a byte, int8Getter and
// int8Setter).
#define QL_TEXT_OUTPUT_STREAM_DELIMITER_OFFSET ((int32_t)(7 * sizeof(void*)))
#define QL_BINARY_STREAM_LITTLE_ENDIAN_OFFSET ((int32_t)(7 * sizeof(void*)))

// Writes the object dump to the item's file: the pool's usage, the live-object count and the class of every
// live object, a line each.
QL_API void debugDumpObjects(QlObject* folder_item);
