// Entry points of objects and classes.
#pragma once

#include <stdbool.h>

#include "quillet/exceptions.h"
#include "quillet/types.h"

// References. Nil is allowed and ignored. The last unlock destroys the object.
QL_API QlObject* RuntimeLockObject(QlObject* object);
QL_API void RuntimeUnlockObject(QlObject* object);

// A new object of the class at that index of the image's class array, with one reference for the caller.
QL_API QlObject* RuntimeNewObject(int32_t class_index);

// Raises a NilObjectException.
QL_API void RuntimeNilObject(void);

// Type tests against the class at class_index. IsA of nil is false; a cast of nil passes. A failed cast
// raises an IllegalCastException; a cast that passes returns the object.
QL_API bool RuntimeObjectIsa(QlObject* object, int32_t class_index);
QL_API QlObject* RuntimeCheckCast(QlObject* object, int32_t class_index);

// Code addresses: the first hook with that key in the object's class chain (0 for none or nil); the
// method-table entry at slot; the entry at slot (from 1) of the object's table for an interface (0 when no
// class of its chain implements it).
QL_API void* RuntimeFindHookCode(QlObject* object, int32_t key);
QL_API void* FindVTableCode(QlObject* object, int32_t slot);
QL_API void* FindInterfaceVTableCode(QlObject* object, int32_t slot, int32_t interface_class_index);

// Fields of compiled classes, by byte offset inside the object. Object getters add a reference for the
// caller; object setters move the references. The 16- and 8-bit getters sign-extend.
QL_API QlObject* objGetter(QlObject* object, int32_t offset);
QL_API void objSetter(QlObject* object, int32_t offset, QlObject* value);
QL_API int32_t int32Getter(QlObject* object, int32_t offset);
QL_API void int32Setter(QlObject* object, int32_t offset, int32_t value);
QL_API int32_t int16Getter(QlObject* object, int32_t offset);
QL_API void int16Setter(QlObject* object, int32_t offset, int32_t value);
QL_API int32_t int8Getter(QlObject* object, int32_t offset);
QL_API void int8Setter(QlObject* object, int32_t offset, int32_t value);
