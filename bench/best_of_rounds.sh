# Sourced by the batch benchmarks. Runs every command of the arrays `names` and `commands` once
# a round, `reps` rounds, each into a new folder under `work` (OUT in a command stands for it),
# and prints the best wall time of each with the CPU time (user + system) of that run.
# Uses: names, commands, work, reps, rows, cores; $1 is the width of the name column.
best_of_rounds() {
    local width=$1 round i out t wall user sys
    declare -A best
    for round in $(seq "$reps"); do
        for i in "${!commands[@]}"; do
            out="$work/out.$round.$i"
            mkdir "$out"
            # wall, user, system seconds
            if ! t=$(/usr/bin/time -f "%e %U %S" ${commands[$i]//OUT/$out} 2>&1 >/dev/null | tail -1)
            then
                echo "${names[$i]} failed" >&2
                exit 1
            fi
            read -r wall user sys <<<"$t"
            if [[ -z ${best[$i]:-} ]] || python3 -c "import sys; sys.exit(not $wall < ${best[$i]%% *})"; then
                best[$i]="$wall $user $sys"
            fi
        done
    done
    rm -rf "$work"/out.*

    echo "rows: $rows, cores: $cores, best of $reps rounds, load average: $(cut -d' ' -f1-3 /proc/loadavg)"
    for i in "${!commands[@]}"; do
        read -r wall user sys <<<"${best[$i]}"
        printf "%-${width}s %6.2f s wall %6.2f s CPU (%.2f user, %.2f system)\n" "${names[$i]}:" \
            "$wall" "$(python3 -c "print($user + $sys)")" "$user" "$sys"
    done
}
