# Entry points; the work is done by the scripts in scripts/.
#   make run     install what is missing, build the Windows program and run it under Wine
#   make test    install what is missing, build all four trees and run every test
#   make build   configure and build all four trees (no tests)
#   make clean   stop the Wine servers and Xvfb started for tests or runs, remove build/
#   make format  clang-format every C++ file in the repository
#   make dist    build the portable zip and the installer of the i686 program into build/dist
#   make screenshots  take the README's pictures of the program under Xvfb into docs/
#   make fuzz    build the libFuzzer targets and run each for 60 s (BRUMELKA_FUZZ_SECONDS)
#   make bench   build the benchmark programs and print the figures against their goals
SHELL := /bin/bash

.PHONY: all bootstrap run test build clean format dist screenshots fuzz bench

all: build

bootstrap:
	scripts/bootstrap.sh

run: bootstrap
	scripts/run.sh

test: bootstrap
	scripts/test.sh

build: bootstrap
	scripts/test.sh --build-only

fuzz: bootstrap
	scripts/fuzz.sh

bench: bootstrap
	scripts/bench.sh

dist: bootstrap
	scripts/dist.sh

screenshots: bootstrap
	scripts/screenshots.sh

clean:
	-scripts/wine-run.sh --stop
	-BRUMELKA_WINEPREFIX="$(CURDIR)/build/wineprefix-run-win32" BRUMELKA_WINE_STATE="$(CURDIR)/build/wine-state-run" scripts/wine-run.sh --stop
	-BRUMELKA_WINEPREFIX="$(CURDIR)/build/wineprefix-run-win64" BRUMELKA_WINE_STATE="$(CURDIR)/build/wine-state-run" scripts/wine-run.sh --stop
	rm -rf build

format:
	git ls-files -co --exclude-standard -- '*.cpp' '*.h' '*.hpp' '*.cc' | xargs -r clang-format -i --style=file
