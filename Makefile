# make run   installs what is missing, builds, and starts Loquat (under Xvfb with a screenshot without a display)
# make test  installs what is missing, builds every target and runs every test
# make bench runs the benchmarks on win64 under Wine
.PHONY: all deps build host win64 win32 run test bench clean

CMAKE_FLAGS := -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
QLIMAGE := $(CURDIR)/build/host/bin/qlimage

all: build

deps:
	@scripts/install-deps.sh

host: deps
	cmake -S . -B build/host $(CMAKE_FLAGS)
	cmake --build build/host

win64: host
	cmake -S . -B build/win64 $(CMAKE_FLAGS) -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-win64.cmake -DQLIMAGE=$(QLIMAGE)
	cmake --build build/win64

win32: host
	cmake -S . -B build/win32 $(CMAKE_FLAGS) -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-win32.cmake -DQLIMAGE=$(QLIMAGE)
	cmake --build build/win32

build: host win64 win32

run: host win64
	@scripts/run-loquat.sh build/win64

test: build
	ctest --test-dir build/host --output-on-failure
	scripts/with-display.sh ctest --test-dir build/win64 --output-on-failure --timeout 300

bench: win64
	scripts/with-display.sh scripts/run-benchmarks.sh build/win64

clean:
	rm -rf build
