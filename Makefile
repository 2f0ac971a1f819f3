# Valmore: a newcomer runs `make run` or `make test` on a fresh Debian machine.
.PHONY: all deps build run test bench clean

BUILD_DIR ?= build/release
TEST_DIR ?= build/test
BENCH_DIR ?= build/bench

all: build

deps:
	bash scripts/install-deps

build: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVALMORE_TESTS=OFF
	cmake --build $(BUILD_DIR)

run: build
	cd $(BUILD_DIR) && ./valmore

test: deps
	cmake -S . -B $(TEST_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVALMORE_SANITIZE=ON
	cmake --build $(TEST_DIR)
	cd $(TEST_DIR) && ctest --output-on-failure

bench: deps
	cmake -S . -B $(BENCH_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DVALMORE_TESTS=OFF -DVALMORE_BENCH=ON
	cmake --build $(BENCH_DIR)
	$(BENCH_DIR)/valmore_bench

clean:
	rm -rf build
