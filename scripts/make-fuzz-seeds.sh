#!/usr/bin/env bash
# Rewrites the committed seed corpora of the fuzz targets (tests/fuzz/corpus): the image formats through the
# runtime's own encoders (write_fuzz_seeds of the fuzz tree), COFF objects compiled by mingw-w64 from test
# sources, and project descriptions of the image tests. Run after a format changes: make-fuzz-seeds.sh [BUILD_DIR]
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$root/build/fuzz}
corpus=$root/tests/fuzz/corpus

cmake --build "$build" --target write_fuzz_seeds
"$build/bin/write_fuzz_seeds" "$corpus"

# Objects as qlimage gets them: compiled as application code (the flags of cmake/image.cmake), for both targets.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
flags=(-O2 -ffreestanding -fno-exceptions -fno-rtti -fno-asynchronous-unwind-tables -fno-omit-frame-pointer
       -fno-optimize-sibling-calls -mno-stack-arg-probe -fno-stack-protector -std=c++20 -I "$root/sdk")
mkdir -p "$corpus/coff_reader"
for triple in x86_64-w64-mingw32 i686-w64-mingw32; do
  "$triple-g++" "${flags[@]}" -c "$root/tests/image/apps/case_imports_app.cpp" -o "$corpus/coff_reader/case_imports_$triple.coff"
  "$triple-g++" "${flags[@]}" -c "$root/tests/image/apps/catch_app.cpp" -o "$work/catch_app.o"
  "$triple-gcc" -c "$root/tests/image/apps/catch_methods_$( [ "$triple" = i686-w64-mingw32 ] && echo win32 || echo win64 ).S" \
    -o "$work/catch_methods.o"
  "$triple-ld" -r -o "$corpus/coff_reader/catch_combined_$triple.coff" "$work/catch_app.o" "$work/catch_methods.o"
done

mkdir -p "$corpus/project_reader"
for name in classes_app deferred_app files_app strings_app catch_app library_routine; do
  cp "$root/tests/image/apps/$name.toml" "$corpus/project_reader/$name.toml"
done
cp "$root/app/demo/loquat.toml" "$corpus/project_reader/loquat.toml"
cat > "$corpus/project_reader/every_table.toml" <<'TOML'
[application]
entry = "app_main"

[strings]
greeting = "Hello"
accented = "caf\u00e9 \u2013 \u20ac"

[imports]
ticks = "!Xkernel32.dll!GetTickCount"
deferred = "!MClass!Method"

[settings]
font_flag = 1
script_code = 34
messages = ["", "", "", "", "An exception of class %1 was not handled.\rThe application must shut down."]
mdi = true
mdi_title = "Loquat 1.2"

[[settings.file_types]]
name = "Text"
first_code = "TEXT"
second_code = "ttxt"
extensions = [".txt", ".text"]

[[classes]]
kind = "reference"
name = "Application"

[[classes]]
name = "TestApp"
superclass = "Application"
size = "test_app_size"
hooks = [{ name = "Open", code = "test_app_open", key = 3 }]
method_table = ["test_app_name"]
TOML
