# The two commands of the README. Each installs what is missing, builds and runs.
.PHONY: test demo build clean

test: build
	ctest --test-dir build/native --output-on-failure -j2

demo: build
	bash scripts/demo.sh

build:
	bash scripts/build.sh

clean:
	rm -rf build/native build/i686 build/x86_64 build/demo-pack
