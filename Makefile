# Two commands do everything on a fresh Debian machine:
#   make run    installs what is missing, builds, generates the data, starts the game
#   make test   the same set-up, then the whole test suite, headless
RELEASE := build/release
TESTING := build/test
FUZZING := build/fuzz
ARGS ?=

.PHONY: run test build deps bench clean

deps:
	@scripts/install-deps.sh

build: deps
	cmake -S . -B $(RELEASE) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKOLVETRA_TESTS=OFF
	cmake --build $(RELEASE)

run: build
	$(RELEASE)/kolvetra $(ARGS)

test: deps
	cmake -S . -B $(TESTING) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKOLVETRA_SANITIZE=ON -DKOLVETRA_BENCHMARKS=OFF
	cmake --build $(TESTING)
	cd $(TESTING) && ctest --output-on-failure -j2
	cmake -S . -B $(FUZZING) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DKOLVETRA_FUZZ=ON -DKOLVETRA_TESTS=OFF -DKOLVETRA_BENCHMARKS=OFF
	cmake --build $(FUZZING)
	cd $(FUZZING) && ctest --output-on-failure -j2

bench: build
	$(RELEASE)/bench/kolvetra_bench

clean:
	rm -rf build
