# Two commands do everything on a fresh Debian machine:
#   make run    installs what is missing, builds, generates the data, starts the game
#   make test   the same set-up, then the whole test suite, headless
# Installing (see the README): make install PREFIX=... [DESTDIR=...],
# make uninstall [DESTDIR=...], make package.
RELEASE := build/release
TESTING := build/test
FUZZING := build/fuzz
WINDOWS := build/windows
ARGS ?=
PREFIX ?= /usr/local

.PHONY: run test build deps bench clean install uninstall package windows

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
	$(call windows_package,$(TESTING))
	tests/windows.sh $(WINDOWS) $(TESTING)

install: build
	DESTDIR="$(DESTDIR)" cmake --install $(RELEASE)

uninstall:
	DESTDIR="$(DESTDIR)" cmake --build $(RELEASE) --target uninstall

# A Debian package installs under /usr, so the game is built for that prefix.
package: PREFIX = /usr
package: build
	cd $(RELEASE) && cpack -G DEB

# The Windows package: the libraries for Windows (built once per version),
# the game cross-built with MinGW-w64, and the data of the Linux build $(1).
define windows_package
	scripts/build-windows-libs.sh $(WINDOWS)/deps
	cmake -S . -B $(WINDOWS)/game -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake \
		-DKOLVETRA_WINDOWS_PREFIX=$(abspath $(WINDOWS))/deps/prefix -DKOLVETRA_TESTS=OFF -DKOLVETRA_BENCHMARKS=OFF \
		-DKOLVETRA_DATA_FROM=$(abspath $(1))/data -DKOLVETRA_PACKAGE_DIR=$(abspath $(WINDOWS))
	cmake --build $(WINDOWS)/game
endef

windows: build
	$(call windows_package,$(RELEASE))

bench: build
	$(RELEASE)/bench/kolvetra_bench

clean:
	rm -rf build
