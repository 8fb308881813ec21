# One command for each job; CMake does the building.
#   make test   installs what is missing, builds all three targets, runs the tests
#   make run    starts the program beside a demo host file (under Wine)
.PHONY: all deps build native win64 win32 test test-native test-win64 test-win32 clean

all: build

deps:
	@scripts/install-deps

build: native win64 win32

native win64 win32: deps
	cmake --preset $@ >/dev/null
	cmake --build --preset $@ -j2

test: build test-native test-win64 test-win32

test-native: native
	ctest --preset native

test-win64: win64
	timeout 3000 scripts/test-session ctest --preset win64

# The 32-bit programs cannot run here (no 32-bit Wine on this kernel); what
# can be checked without running them is.
test-win32: win32
	ctest --test-dir build/win32 --output-on-failure --no-tests=ignore

clean:
	rm -rf build dist
