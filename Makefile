# make run   installs what is missing, builds, and starts Loquat (under Xvfb with a screenshot without a display)
# make author the same with the exercise editor uncovered (loquat.exe --author)
# make test  installs what is missing, builds every target and runs every test, each fuzz target briefly
# make fuzz  runs each fuzz target for FUZZ_SECONDS (600 unless given: make fuzz FUZZ_SECONDS=60)
# make bench runs the benchmarks on win64 under Wine (make bench-win32: on win32, under 32-bit Wine)
# make dist  builds both Windows targets and writes dist/loquat-VERSION-win64.zip and -win32.zip
.PHONY: all deps build host win64 win32 fuzz-build run author test fuzz bench bench-win32 clean

CMAKE_FLAGS := -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
QLIMAGE := $(CURDIR)/build/host/bin/qlimage
FUZZ_SECONDS ?= 600
FUZZ_TEST_SECONDS ?= 10

all: build

# Wine's 32-bit half is installed where it can be; scripts/install-wine32.sh never fails.
deps:
	@scripts/install-deps.sh
	@scripts/install-wine32.sh

host: deps
	cmake -S . -B build/host $(CMAKE_FLAGS)
	cmake --build build/host

win64: host
	cmake -S . -B build/win64 $(CMAKE_FLAGS) -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-win64.cmake -DQLIMAGE=$(QLIMAGE)
	cmake --build build/win64

# The win32 tests are built only where 32-bit Wine can run them.
win32: host
	cmake -S . -B build/win32 $(CMAKE_FLAGS) -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-win32.cmake -DQLIMAGE=$(QLIMAGE) \
	  -DBUILD_TESTING=$$(scripts/wine32-ready.sh >/dev/null && echo ON || echo OFF)
	cmake --build build/win32

# The libFuzzer targets, built by clang with ASan and UBSan in a tree of their own.
fuzz-build: deps
	cmake -S . -B build/fuzz $(CMAKE_FLAGS) -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
	  -DQL_FUZZ=ON -DQL_FUZZ_TEST_SECONDS=$(FUZZ_TEST_SECONDS)
	cmake --build build/fuzz

build: host win64 win32 fuzz-build

run: host win64
	@scripts/run-loquat.sh build/win64

author: host win64
	@scripts/run-loquat.sh build/win64 --author

test: build
	ctest --test-dir build/host --output-on-failure -j2
	ctest --test-dir build/fuzz --output-on-failure -j2
	scripts/with-display.sh ctest --test-dir build/win64 --output-on-failure --timeout 300
	@if reason=$$(scripts/wine32-ready.sh); then \
	  echo "scripts/with-display.sh ctest --test-dir build/win32 --output-on-failure --timeout 300"; \
	  scripts/with-display.sh ctest --test-dir build/win32 --output-on-failure --timeout 300; \
	else echo "win32 suites skipped: $$reason"; fi

fuzz: fuzz-build
	scripts/run-fuzzers.sh build/fuzz $(FUZZ_SECONDS)

bench: win64
	scripts/with-display.sh scripts/run-benchmarks.sh build/win64

bench-win32: win32
	@if reason=$$(scripts/wine32-ready.sh); then scripts/with-display.sh scripts/run-benchmarks.sh build/win32; \
	else echo "win32 benchmarks skipped: $$reason"; fi

# The archives for learners: the stripped loquat.exe and its note, and the symbols apart (cmake/release.cmake).
.PHONY: dist
dist: win64 win32
	cmake --build build/win64 --target dist
	cmake --build build/win32 --target dist

clean:
	rm -rf build
