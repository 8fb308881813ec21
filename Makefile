# One command for each job; CMake does the building.
#   make test   installs what is missing, builds all three targets, runs the tests
#   make run    starts the program beside a demo host file (under Wine); with no
#               display, walks one registration through it and saves screenshots
#   make screenshots  redraws docs/*.png from the real program under Wine
#   make dist   release ZIPs of keltarn.exe and its read-me in dist/
#   make bench  times one registration on large host files, natively and under Wine
#   make fuzz   fuzzes the profile stand-in for FUZZ_SECONDS (600 unless given)
.PHONY: all deps build native win64 win32 test test-native test-win64 test-win32 test-fuzz fuzz-build fuzz bench run screenshots dist clean

all: build

deps:
	@scripts/install-deps

build: native win64 win32

native win64 win32: deps
	cmake --preset $@ >/dev/null
	cmake --build --preset $@ -j2

test: build test-fuzz test-native test-win64 test-win32

test-native: native
	ctest --preset native

test-win64: win64
	timeout 3000 scripts/test-session ctest --preset win64

# The 32-bit programs cannot run here (no 32-bit Wine on this kernel); what
# can be checked without running them is.
test-win32: win32
	ctest --test-dir build/win32 --output-on-failure --no-tests=ignore

# The profile stand-in under libFuzzer (clang, ASan, UBSan): for 25 s in the
# tests, as long as asked with make fuzz.
FUZZ_SECONDS ?= 600

fuzz-build: deps
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz --target profile_fuzz -j2

test-fuzz: fuzz-build
	scripts/fuzz-run 25

fuzz: fuzz-build
	scripts/fuzz-run $(FUZZ_SECONDS)

# Not part of the tests: an optimised native build, and the win64 build.
bench: deps
	cmake --preset bench >/dev/null
	cmake --build --preset bench --target registration_bench -j2
	cmake --preset win64 >/dev/null
	cmake --build --preset win64 --target registration_bench -j2
	scripts/bench-table build/bench build/win64

run: win64
	scripts/demo run build/win64 build/demo-host

screenshots: win64
	scripts/demo screenshots build/win64 docs

dist: win64 win32
	rm -rf dist
	mkdir -p dist
	for target in win64 win32; do \
	    rm -rf build/$$target/package && \
	    cpack --config build/$$target/CPackConfig.cmake -B build/$$target/package >/dev/null && \
	    cp build/$$target/package/keltarn-*.zip dist/ || exit 1; \
	done
	@ls -l dist

clean:
	rm -rf build dist
