# make run   installs what the game needs and is missing, builds the game, starts it
# make test  installs what the tests need and is missing, builds, runs every test
# make fuzz  runs the fuzzer for FUZZ_SECONDS (default 600)
# make install [PREFIX=/usr/local] [DESTDIR=...]   installs the game
# make package  builds the .deb and checks it with lintian
# make speech plays a short game with the Orca screen reader and prints what it spoke
# make test-fresh  runs make test in a fresh Debian root, as a new machine would (as root;
#                  DEBIAN=13 or 12, default 13)

# Packages in groups: `make deps GROUP="RUN TEST"` (or `make deps-test`) installs what is missing.
# To build and start the game: the compiler, CMake, Ninja, Qt and its platform plugins (X11
# and Wayland), the screen font and its tools, and what the game's configure finds (icons,
# JSON, line editing, ncurses for vaultmoor-term).
RUN_PACKAGES := cmake ninja-build g++ qt6-base-dev qt6-qpa-plugins qt6-wayland xfonts-base pcf2bdf \
                xfonts-utils librsvg2-bin nlohmann-json3-dev libedit-dev libncurses-dev pkg-config
# The tests, the benchmarks, the sanitized build and the fuzzer (clang, and the runtime of its
# release's default version).
TEST_PACKAGES := clang libclang-rt-dev googletest libgtest-dev libgmock-dev libbenchmark-dev
# Installing and packaging checks: validators, man page lint, .deb checks, hardening-check,
# the window under Xvfb (xvfb-run needs xauth) and under a headless Weston.
TEST_PACKAGES += desktop-file-utils appstream mandoc dpkg-dev lintian devscripts jq xvfb xauth \
                 xdotool imagemagick weston
# vaultmoor-term's test: tmux and the direct-colour terminal types.
TEST_PACKAGES += ncurses-term tmux
# The web page: emscripten builds it, terser trims its scripts, its web font is made with
# fontTools (WOFF2 with brotli), its first screen written with libpng.
WEB_PACKAGES := emscripten nodejs python3 python3-fonttools python3-brotli libpng-dev terser
# The page's test: Chromium, Firefox and WebKitGTK (its WebDriver on a virtual X server), with
# Node's test runner, puppeteer and selenium-webdriver from npm (Debian's npm, unless the node
# installed brings its own).
WEB_TEST_PACKAGES := chromium firefox-esr nodejs webkit2gtk-driver xvfb xauth
NPM_PACKAGES := npm
# The screen reader check: Orca on a virtual X server with the accessibility bus.
SPEECH_PACKAGES := orca xvfb at-spi2-core dbus-daemon xdotool
# A release (make release) and the check that it rebuilds bit for bit (make test-release).
RELEASE_PACKAGES := git zip strip-nondeterminism dpkg-dev faketime disorderfs locales \
                    diffoscope-minimal
# make test-fresh: a fresh Debian root made from this machine's Debian mirror.
FRESH_PACKAGES := mmdebstrap git ca-certificates
GROUP ?= RUN
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
FUZZ_SECONDS ?= 600
PREFIX ?= /usr/local
CI_FUZZ_SECONDS ?= 60

.PHONY: deps build game run test test-default test-asan test-fuzz fuzz bench format clean install \
        package approve

deps:
	@missing=$$(for p in $(foreach g,$(GROUP),$($(g)_PACKAGES)); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; \
	    done | sort -u); \
	if [ -n "$$missing" ]; then \
	    echo "Installing:" $$missing; \
	    $(SUDO) apt-get update -qq && \
	    DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi

# deps-run, deps-test, deps-web, ...: one group.
deps-%:
	@$(MAKE) --no-print-directory deps GROUP="$$(echo '$*' | tr a-z- A-Z_)"

# The game alone: a new build folder is set up without the tests and the benchmarks (nor their
# packages); one set up by make build keeps them.
GAME_CONFIGURE = cmake --preset default \
    $(if $(wildcard build/CMakeCache.txt),,-D VAULTMOOR_TESTS=OFF -D VAULTMOOR_BENCH=OFF)
game: deps-run
	$(GAME_CONFIGURE)
	cmake --build --preset default --target vaultmoor

# Everything of the default preset: the programs, the tests, the benchmarks.
build:
	$(MAKE) --no-print-directory deps GROUP="RUN TEST"
	cmake --preset default -D VAULTMOOR_TESTS=ON -D VAULTMOOR_BENCH=ON
	cmake --build --preset default

run: game
	$(PLAY) ./build/bin/vaultmoor

# Every stage in turn, each timed: the installs at once, the documents' links, then the default
# build, its tests, the sanitized suite, fuzzing, the page, Windows, the release rebuilt.
TEST_STAGES := deps-all test-links build test-default test-asan test-fuzz test-web test-windows test-release
test:
	@set -e; times=; for stage in $(TEST_STAGES); do \
	    start=$$(date +%s); $(MAKE) --no-print-directory $$stage; \
	    took="$$stage $$(($$(date +%s) - start)) s"; echo "time: $$took"; times="$$times, $$took"; \
	done; echo "make test passed:$${times#,}"

deps-all:
	@$(MAKE) --no-print-directory deps \
	    GROUP="RUN TEST WEB WEB_TEST RELEASE WINDOWS WINDOWS_TEST $$(command -v npm >/dev/null || echo NPM)"

# make test in a fresh Debian root (DEBIAN=13 or 12, default 13) with a clone of HEAD, a bare
# environment and /tmp a tmpfs (root only).
DEBIAN ?= 13
.PHONY: test-fresh deps-all
test-fresh: deps-fresh
	DEBIAN=$(DEBIAN) tools/test-fresh.sh

test-default: build
	$(PLAY) ctest --preset default
	@grep -h '^explored:' build/tests/explore/explore-report.txt

# Writes every check file anew from the program's own output; review the diff, then commit.
approve: build
	for log in tests/logs/*.txt; do [ $${log##*/} = CMakeLists.txt ] || \
	    ./build/bin/replay $$log > $${log%.txt}.chk; done
	cd build/tests/explore && ../../bin/explore_test --gtest_brief=1 >/dev/null; \
	    cp explore-report.txt $(CURDIR)/tests/explore/explore.chk
	./build/bin/term-screens > tests/term/screens.chk
	./build/bin/term-screens --keys > tests/term/keys.chk

test-asan:
	$(MAKE) --no-print-directory deps GROUP="RUN TEST"
	cmake --preset asan
	cmake --build --preset asan
	$(PLAY) ctest --preset asan

test-fuzz:
	$(MAKE) --no-print-directory deps GROUP="RUN TEST"
	cmake --preset fuzz
	cmake --build --preset fuzz
	./fuzz/run.sh build-fuzz $(CI_FUZZ_SECONDS)

fuzz:
	$(MAKE) --no-print-directory deps GROUP="RUN TEST"
	cmake --preset fuzz
	cmake --build --preset fuzz
	./fuzz/run.sh build-fuzz $(FUZZ_SECONDS)

bench: build
	$(PLAY) ./build/bin/vaultmoor-bench
	$(PLAY) ./build/bin/vaultmoor-window-bench
	$(PLAY) ./build/bin/vaultmoor-startup-bench

install: build
	DESTDIR="$(DESTDIR)" cmake --install build --prefix "$(PREFIX)" --strip

package: build
	umask 022 && cmake --build --preset default --target package
	lintian --fail-on error build/vaultmoor_*.deb

format:
	clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	rm -rf build build-asan build-fuzz build-web build-windows

# The web page (web/): emscripten builds it, Chromium, Firefox and Node play it in tests/web.
WEB_PORT ?= 8000
.PHONY: web run-web test-web

web:
	$(MAKE) --no-print-directory deps GROUP="RUN WEB"
	$(GAME_CONFIGURE)
	cmake --build --preset default --target vaultmoor-firstscreen vaultmoor-transcript
	NODE_PATH=/usr/share/nodejs emcmake cmake --preset web
	NODE_PATH=/usr/share/nodejs cmake --build --preset web
	./build/bin/vaultmoor-firstscreen web build-web/site build-web/glyphs.json
	/usr/bin/python3 view/outline-font.py build/fonts/8x13.bdf build-web/site/screen.woff2
	cmake -D SITE=build-web/site -P web/precache.cmake

run-web: web
	@echo "Vaultmoor in the browser: http://127.0.0.1:$(WEB_PORT)/  (Ctrl+C stops)"
	cd build-web/site && python3 -m http.server $(WEB_PORT) --bind 127.0.0.1

test-web: web deps-web-test node_modules/.package-lock.json
	$(PLAY) node --test tests/web/

# The npm packages of package-lock.json, installed anew when it changes (npm ci writes this file).
node_modules/.package-lock.json: package.json package-lock.json
	@command -v npm >/dev/null || $(MAKE) --no-print-directory deps GROUP=NPM
	npm ci --no-audit --no-fund --loglevel=error

# Every relative link and picture in README.md and docs/ leads to a file, every #anchor to a
# heading (remark-validate-links; links to the web are not followed).
.PHONY: test-links
test-links: node_modules/.package-lock.json
	node_modules/.bin/remark --frail --quiet --no-stdout \
	    --use remark-validate-links=repository:false README.md docs

# Lighthouse's mobile audit of the page as run-web serves it (not part of make test).
.PHONY: lighthouse
lighthouse: web
	@command -v npm >/dev/null || $(MAKE) --no-print-directory deps GROUP=NPM
	$(PLAY) tools/lighthouse.sh build-web/site $(WEB_PORT)

# The screen reader check: Orca plays the real window (its packages are in SPEECH_PACKAGES).
.PHONY: speech
speech: game deps-speech
	$(PLAY) tools/speech-check.sh build/bin/vaultmoor

# Windows (win/): vaultmoor.exe and vaultmoor-transcript.exe cross-built with MinGW-w64, the
# installer (NSIS) and the portable zip in build-windows/; tests/windows plays them under Wine.
WINDOWS_PACKAGES := gzip cmake ninja-build g++-mingw-w64-x86-64-posix nsis zip strip-nondeterminism \
                    icoutils librsvg2-bin \
                    pcf2bdf xfonts-base python3 python3-fonttools
WINDOWS_TEST_PACKAGES := wine wine64 fonts-wine xvfb xdotool xclip imagemagick icoutils
.PHONY: windows test-windows

windows:
	$(MAKE) --no-print-directory deps GROUP=WINDOWS
	cmake --preset windows
	cmake --build --preset windows

test-windows: windows build
	$(MAKE) --no-print-directory deps GROUP=WINDOWS_TEST
	$(PLAY) tests/windows/run.sh build-windows build/bin

# Releases rebuild bit for bit: every time written into what is built is the last commit's
# (an unpacked source archive has it in .source-date-epoch), unless the caller gives one.
ifndef SOURCE_DATE_EPOCH
SOURCE_DATE_EPOCH := $(shell grep -sx '[0-9]*' .source-date-epoch || git log -1 --format=%ct)
endif
export SOURCE_DATE_EPOCH
# That time is the builds' alone: the programs that make starts to play or test run without it.
# fontconfig stamps the font caches it writes with it and then never trusts them, so on a new
# machine every start would scan the fonts again (14 s for the window under the sanitizers).
PLAY := env -u SOURCE_DATE_EPOCH
VERSION := $(shell sed -n 's/^project.Vaultmoor VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
# release/: the .deb, the Windows setup and zip, the page as a zip, the source archive
# (git archive of HEAD, or SOURCE_ARCHIVE=... when built from one) and SHA256SUMS.
SOURCE_ARCHIVE ?=
.PHONY: release test-release
release: web deps-release
	$(MAKE) --no-print-directory deps GROUP=WINDOWS
	cmake --preset windows
	cmake --build --preset windows --target vaultmoor-packages
	$(GAME_CONFIGURE)
	umask 022 && cmake --build --preset default --target package
	rm -rf release && mkdir release
	cp build/vaultmoor_$(VERSION)_amd64.deb build-windows/vaultmoor-$(VERSION)-setup-x64.exe \
	   build-windows/vaultmoor-$(VERSION)-windows-x64.zip release/
	cd build-web/site && find . -type f | LC_ALL=C sort | \
	    zip -q -X -@ $(CURDIR)/release/vaultmoor-$(VERSION)-web.zip
	strip-nondeterminism -t zip -T $(SOURCE_DATE_EPOCH) release/vaultmoor-$(VERSION)-web.zip
	$(if $(SOURCE_ARCHIVE),cp $(SOURCE_ARCHIVE),git archive --format=tar.gz \
	    --prefix=vaultmoor-$(VERSION)/ -o) release/vaultmoor-$(VERSION).tar.gz $(if $(SOURCE_ARCHIVE),,HEAD)
	cd release && LC_ALL=C sha256sum vaultmoor* > SHA256SUMS && sha256sum -c --quiet SHA256SUMS

# Builds the release twice from the source archive of HEAD, the second time varied, and compares.
test-release: deps-release
	tests/release/rebuild.sh
