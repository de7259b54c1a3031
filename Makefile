# Entry points: make test, make bench, make run (see README.md).
#   make test SANITIZE=1   the same suite under AddressSanitizer + UBSan
#   make test LABEL=logo   only the tests carrying that ctest label

SANITIZE ?= 0
ifeq ($(SANITIZE),1)
BUILD_DIR ?= build-sanitize
CMAKE_FLAGS = -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUMIVANE_SANITIZE=ON -DLUMIVANE_BENCH=OFF
else
BUILD_DIR ?= build
CMAKE_FLAGS = -DCMAKE_BUILD_TYPE=Release
endif
CTEST_FLAGS = --output-on-failure --timeout 300 $(if $(LABEL),-L $(LABEL))

.PHONY: all deps configure build test bench run clean

all: build

deps:
	@scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD_DIR)

test: build
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	ctest --test-dir $(BUILD_DIR) $(CTEST_FLAGS)

bench: deps
	cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
	cmake --build build --target lumivane_bench
	build/bench/lumivane_bench

run:
	@echo "make run arrives with the Control Panel host; it is not built yet." >&2
	@exit 1

clean:
	rm -rf build build-sanitize
