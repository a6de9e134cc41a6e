# Shared by the benchmark scripts (sourced, not run).

# make_bench_tree FOLDER SOURCE BASE STEP: 30 folders x 10 subfolders x 100
# files; file c holds BASE + c x STEP bytes read from SOURCE (/dev/zero or
# /dev/urandom).
make_bench_tree() {
    local folder=$1 source=$2 base=$3 step=$4
    for a in $(seq 1 30); do
        for b in $(seq 1 10); do
            local dir="$folder/Folder $a/Subfolder $b"
            mkdir -p "$dir"
            for c in $(seq 1 100); do
                head -c $((base + c * step)) "$source" > "$dir/Document number $c.txt"
            done
        done
    done
}

# time_fls IMAGE: how long The Sleuth Kit's fls -r -p takes on the image.
time_fls() {
    local start end
    start=$(date +%s.%N)
    fls -r -p "$1" > /dev/null
    end=$(date +%s.%N)
    echo "fls -r -p: $(echo "$end - $start" | bc) s"
}
