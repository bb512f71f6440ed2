# Wraps CMake: `make run` and `make test` are all a newcomer needs. CMake stays the real build:
#   cmake -S . -B build && cmake --build build && ctest --test-dir build
BUILD_DIR ?= build
BUILD_TYPE ?= Release

.PHONY: all run test deps clean

all:
	@test -f $(BUILD_DIR)/CMakeCache.txt || cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)
	cmake --build $(BUILD_DIR) --parallel

deps:
	@scripts/install-deps

run: deps
	@$(MAKE) --no-print-directory all
	./$(BUILD_DIR)/vantrel

test: deps
	@$(MAKE) --no-print-directory all
	ctest --test-dir $(BUILD_DIR) --output-on-failure

clean:
	rm -rf $(BUILD_DIR)
