# The two commands of the README. Each installs what is missing, builds and runs.
.PHONY: test demo build installer bench fuzz gallery clean

test: build
	ctest --test-dir build/native --output-on-failure -j2

# make demo UNINSTALLER=1: the uninstaller wizard instead.
demo: build
	bash scripts/demo.sh $(if $(UNINSTALLER),--uninstaller)

build:
	bash scripts/build.sh

# The example pack's installer, built with makensis (examples/installer).
installer:
	bash scripts/installer.sh

# Screenshots of every page of both wizards and the language dialog of the
# example pack, per language, theme and density: build/gallery/index.html.
gallery: build
	bash scripts/gallery.sh build/gallery build/native/example-pack

# The digest's throughput against OpenSSL's MD5 (not part of the tests).
bench:
	bash scripts/setup.sh
	cmake --preset bench >/dev/null
	cmake --build build/bench --target md5_bench
	build/bench/bench/md5_bench
	bash scripts/build.sh
	bash scripts/bench.sh

# Every fuzz target for 10 million runs or 30 minutes (FUZZ_RUNS, FUZZ_SECONDS).
fuzz:
	bash scripts/fuzz.sh

clean:
	rm -rf build/native build/i686 build/x86_64 build/bench build/fuzz build/demo-pack
