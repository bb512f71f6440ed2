# Wraps CMake: `make run` and `make test` are all a newcomer needs. CMake stays the real build:
#   cmake -S . -B build && cmake --build build && ctest --test-dir build
BUILD_DIR ?= build
BUILD_TYPE ?= Release
SANITIZE_DIR ?= build-sanitize
BENCH_DIR ?= build-bench
PREFIX ?= /usr/local

.PHONY: all run test sanitize bench deps install package clean

all:
	@test -f $(BUILD_DIR)/CMakeCache.txt || cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)
	cmake --build $(BUILD_DIR) --parallel

deps:
	@scripts/install-deps

run: deps
	@$(MAKE) --no-print-directory all
	./$(BUILD_DIR)/vantrel

# Every test on the Release build, then the unit and offscreen tests once more built with
# AddressSanitizer and UndefinedBehaviorSanitizer, where any report fails the run.
test: deps
	@$(MAKE) --no-print-directory all
	ctest --test-dir $(BUILD_DIR) --output-on-failure
	@$(MAKE) --no-print-directory sanitize

sanitize:
	@test -f $(SANITIZE_DIR)/CMakeCache.txt || \
		cmake -S . -B $(SANITIZE_DIR) -DCMAKE_BUILD_TYPE=Debug -DVANTREL_SANITIZE=ON
	cmake --build $(SANITIZE_DIR) --parallel
	ctest --test-dir $(SANITIZE_DIR) --output-on-failure

# The benchmarks, in a Release build of their own (tests left out), side by side on this machine:
# one line per figure, each the median of several runs. See bench/run.sh.
bench: deps
	cmake -S . -B $(BENCH_DIR) -DCMAKE_BUILD_TYPE=Release -DVANTREL_BENCH=ON -DBUILD_TESTING=OFF >/dev/null
	cmake --build $(BENCH_DIR) --parallel
	bench/run.sh $(BENCH_DIR)

# The program, its menu entry, icons and manual page under $(PREFIX); DESTDIR stages them
# elsewhere, as in `make install DESTDIR=/tmp/stage`.
install: all
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD_DIR) --prefix "$(PREFIX)"

# The same files as a Debian package under /usr: $(BUILD_DIR)/vantrel_<version>_<arch>.deb
package: deps
	@$(MAKE) --no-print-directory all
	cmake --build $(BUILD_DIR) --target package

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(BENCH_DIR)
