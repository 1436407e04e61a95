# Sourced by the set-up scripts: runs a command as root, through sudo unless already root.
as_root() {
    if [[ $(id -u) -eq 0 ]]; then
        "$@"
    else
        sudo "$@"
    fi
}
