# Valmore: a newcomer runs `make run` or `make test` on a fresh Debian machine.
.PHONY: all deps build run test bench fuzz clean

BUILD_DIR ?= build/release
TEST_DIR ?= build/test
BENCH_DIR ?= build/bench
FUZZ_DIR ?= build/fuzz
FUZZ_SECONDS ?= 600

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

# Fuzzes the save loader with libFuzzer for FUZZ_SECONDS, starting from tests/fuzz-corpus; new
# inputs it finds go to $(FUZZ_DIR)/corpus, crashes to $(FUZZ_DIR)/crash-*.
fuzz:
	bash scripts/install-deps fuzz
	cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DVALMORE_FUZZ=ON -DVALMORE_TESTS=OFF -DVALMORE_SHELL=OFF
	cmake --build $(FUZZ_DIR) --target load_fuzz
	mkdir -p $(FUZZ_DIR)/corpus
	$(FUZZ_DIR)/load_fuzz -max_total_time=$(FUZZ_SECONDS) -artifact_prefix=$(FUZZ_DIR)/ \
		$(FUZZ_DIR)/corpus tests/fuzz-corpus

clean:
	rm -rf build
