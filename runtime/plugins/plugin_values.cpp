// The callbacks through which plug-ins make and hold strings and objects, and the host's defaults.
#include "objects/objects.h"
#include "quillet/plugins.h"
#include "values/string.h"

QL_API QlString PluginInterpretConstantValue(QlString value) {
  ql::string_retain(value);
  return value;
}

QL_API QlString PluginDefaultControlFont(void) { return ql::string_from_cstr("System"); }
QL_API QlString PluginDefaultControlCaption(void) { return ql::string_from_cstr("Untitled"); }
QL_API int32_t PluginDefaultControlFontSize(void) { return 12; }

QL_API QlString QUILBuildString(const char* bytes, int32_t length) {
  if (!bytes || length <= 0) return nullptr;
  return ql::string_from_bytes(bytes, length);
}

QL_API void QUILLockObject(QlObject* object) { ql::retain_object(object); }
QL_API void QUILUnlockObject(QlObject* object) { ql::release_object(object); }
QL_API void QUILLockString(QlString s) { ql::string_retain(s); }
QL_API void QUILUnlockString(QlString s) { ql::string_release(s); }

QL_API double QUILGetQLVersion(void) { return 2.1; }
QL_API bool QUILinRuntime(void) { return true; }
