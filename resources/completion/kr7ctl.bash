# Bash completion for kr7ctl: its actions, options, values and the names of
# the serial ports (as "kr7ctl ports" lists them). Files are completed by
# readline's own filename completion.

_kr7ctl_ports() {
    "${COMP_WORDS[0]}" ports 2>/dev/null | cut -f1
}

_kr7ctl() {
    local cur=${COMP_WORDS[COMP_CWORD]}
    local prev=${COMP_WORDS[COMP_CWORD - 1]}
    local actions="ports clear store mode cross celownik tekst text codes pages glyphs glyph logo run"
    local options="--port --dry-run --out --settings --quiet --help --version --json --centre --row --height
        --interval --x --y --width --mode --level --negative --background --tolerance --seed --preview --program --remove"
    COMPREPLY=()
    case $prev in
    --port)
        COMPREPLY=($(compgen -W "$(_kr7ctl_ports)" -- "$cur"))
        return
        ;;
    mode)
        COMPREPLY=($(compgen -W "text cross" -- "$cur"))
        return
        ;;
    --mode)
        COMPREPLY=($(compgen -W "bw mosaic mix" -- "$cur"))
        return
        ;;
    --out | --settings | --preview | pages | glyphs | glyph | logo | text | codes | cross | --row | --height | \
        --interval | --x | --y | --width | --level | --background | --tolerance | --seed)
        return # a file or a value
        ;;
    esac
    case $cur in
    --port=*)
        COMPREPLY=($(compgen -P "--port=" -W "$(_kr7ctl_ports)" -- "${cur#--port=}"))
        ;;
    -*)
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
        ;;
    *)
        COMPREPLY=($(compgen -W "$actions" -- "$cur"))
        ;;
    esac
}

complete -o default -F _kr7ctl kr7ctl
