# make run   installs what is missing, builds, starts the game
# make test  installs what is missing, builds, runs every test
# make fuzz  runs the fuzzer for FUZZ_SECONDS (default 600)
# make install [PREFIX=/usr/local] [DESTDIR=...]   installs the game
# make package  builds the .deb and checks it with lintian
# make speech plays a short game with the Orca screen reader and prints what it spoke

PACKAGES := cmake ninja-build g++ clang libclang-rt-14-dev googletest libgtest-dev libgmock-dev \
            libbenchmark-dev nlohmann-json3-dev qt6-base-dev xfonts-base
# Installing and packaging: icons, validators, man page lint, .deb checks, the window test
PACKAGES += librsvg2-bin desktop-file-utils appstream mandoc dpkg-dev lintian jq xvfb xdotool \
            qt6-qpa-plugins imagemagick
# The screen font, cut down at build time to the glyphs the game can show
PACKAGES += pcf2bdf xfonts-utils
# Line editing and history for vaultmoor-transcript in a terminal.
PACKAGES += libedit-dev pkg-config
# vaultmoor-term: wide-character ncurses; tmux and the direct-colour terminal types for its test.
PACKAGES += libncurses-dev ncurses-term tmux
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
FUZZ_SECONDS ?= 600
PREFIX ?= /usr/local
CI_FUZZ_SECONDS ?= 60

.PHONY: deps build run test test-default test-asan test-fuzz fuzz bench format clean install package approve

deps:
	@missing=$$(for p in $(PACKAGES); do dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null \
	    | grep -q 'install ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	    echo "Installing:" $$missing; \
	    $(SUDO) apt-get update -qq && \
	    DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi

build: deps
	cmake --preset default
	cmake --build --preset default

run: build
	./build/bin/vaultmoor

test: test-default test-asan test-fuzz test-web test-windows

test-default: build
	ctest --preset default
	@grep -h '^explored:' build/tests/explore/explore-report.txt

# Writes every check file anew from the program's own output; review the diff, then commit.
approve: build
	for log in tests/logs/*.txt; do [ $${log##*/} = CMakeLists.txt ] || \
	    ./build/bin/replay $$log > $${log%.txt}.chk; done
	cd build/tests/explore && ../../bin/explore_test --gtest_brief=1 >/dev/null; \
	    cp explore-report.txt $(CURDIR)/tests/explore/explore.chk

test-asan: deps
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan

test-fuzz: deps
	cmake --preset fuzz
	cmake --build --preset fuzz
	./fuzz/run.sh build-fuzz $(CI_FUZZ_SECONDS)

fuzz: deps
	cmake --preset fuzz
	cmake --build --preset fuzz
	./fuzz/run.sh build-fuzz $(FUZZ_SECONDS)

bench: build
	./build/bin/vaultmoor-bench
	./build/bin/vaultmoor-window-bench
	./build/bin/vaultmoor-startup-bench

install: build
	DESTDIR="$(DESTDIR)" cmake --install build --prefix "$(PREFIX)"

package: build
	cmake --build --preset default --target package
	lintian --fail-on error build/vaultmoor_*.deb

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build build-asan build-fuzz build-web

# The web page (web/): emscripten builds it, Chromium, Firefox and Node play it in tests/web.
PACKAGES += emscripten chromium firefox-esr nodejs python3 python3-fonttools python3-brotli libpng-dev terser \
            webkit2gtk-driver xvfb
WEB_PORT ?= 8000
.PHONY: web run-web test-web

web: deps
	cmake --preset default
	cmake --build --preset default --target vaultmoor-firstscreen vaultmoor-transcript
	NODE_PATH=/usr/share/nodejs emcmake cmake --preset web
	NODE_PATH=/usr/share/nodejs cmake --build --preset web
	./build/bin/vaultmoor-firstscreen web build-web/site build-web/glyphs.json
	/usr/bin/python3 view/outline-font.py build/fonts/8x13.bdf build-web/site/screen.woff2
	cmake -D SITE=build-web/site -P web/precache.cmake

run-web: web
	@echo "Vaultmoor in the browser: http://127.0.0.1:$(WEB_PORT)/  (Ctrl+C stops)"
	cd build-web/site && python3 -m http.server $(WEB_PORT) --bind 127.0.0.1

test-web: web
	@command -v npm >/dev/null || { $(SUDO) apt-get update -qq && \
	    DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends npm; }
	npm ci --no-audit --no-fund --loglevel=error
	node --test tests/web/

# Lighthouse's mobile audit of the page as run-web serves it (not part of make test).
.PHONY: lighthouse
lighthouse: web
	@command -v npm >/dev/null || $(MAKE) deps PACKAGES=npm
	tools/lighthouse.sh build-web/site $(WEB_PORT)

# The screen reader check: Orca on a virtual X server with the accessibility bus.
SPEECH_PACKAGES := orca xvfb at-spi2-core dbus-daemon xdotool
.PHONY: speech
speech: build
	$(MAKE) deps PACKAGES="$(SPEECH_PACKAGES)"
	tools/speech-check.sh build/bin/vaultmoor

# Windows (win/): vaultmoor.exe and vaultmoor-transcript.exe cross-built with MinGW-w64, the
# installer (NSIS) and the portable zip in build-windows/; tests/windows plays them under Wine.
WINDOWS_PACKAGES := cmake ninja-build g++-mingw-w64-x86-64-posix nsis zip icoutils librsvg2-bin \
                    pcf2bdf xfonts-base python3 python3-fonttools
WINDOWS_TEST_PACKAGES := wine wine64 fonts-wine xvfb xdotool xclip imagemagick icoutils
.PHONY: windows test-windows

windows:
	$(MAKE) deps PACKAGES="$(WINDOWS_PACKAGES)"
	cmake --preset windows
	cmake --build --preset windows

test-windows: windows build
	$(MAKE) deps PACKAGES="$(WINDOWS_TEST_PACKAGES)"
	tests/windows/run.sh build-windows build/bin
