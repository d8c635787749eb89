# Sourced by the scripts that run the built programs. Given script (the
# caller's name for its messages), here (the source tree) and build (the build
# folder), sets emulator and controller to the built programs, or ends the
# script with status 2 saying how to build the one that is missing.
emulator="$build/bin/kr7-emulator"
controller="$build/bin/KR7Controller"
for program in "$emulator" "$controller"; do
    if [ ! -x "$program" ]; then
        echo "$script: $program is missing; build first: cmake -S $here -B $build && cmake --build $build --target KR7Controller kr7-emulator" >&2
        exit 2
    fi
done
