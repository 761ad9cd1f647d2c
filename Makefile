# Two commands do everything on a fresh Debian machine:
#   make run    installs what is missing, builds, generates the data, starts the game
#   make test   the same set-up, then the whole test suite, headless
# Installing (see the README): make install PREFIX=... [DESTDIR=...],
# make uninstall [DESTDIR=...], make package.
RELEASE := build/release
TESTING := build/test
FUZZING := build/fuzz
ARGS ?=
PREFIX ?= /usr/local

.PHONY: run test build deps bench clean install uninstall package

deps:
	@scripts/install-deps.sh

build: deps
	cmake -S . -B $(RELEASE) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKOLVETRA_TESTS=OFF -DCMAKE_INSTALL_PREFIX=$(PREFIX)
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

install: build
	DESTDIR="$(DESTDIR)" cmake --install $(RELEASE)

uninstall:
	DESTDIR="$(DESTDIR)" cmake --build $(RELEASE) --target uninstall

# A Debian package installs under /usr, so the game is built for that prefix.
package: PREFIX = /usr
package: build
	cd $(RELEASE) && cpack -G DEB

bench: build
	$(RELEASE)/bench/kolvetra_bench

clean:
	rm -rf build
