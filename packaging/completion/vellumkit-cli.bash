# bash completion for vellumkit-cli: its commands, each command's options,
# the values of --layout, --fit, --windows and --previews, and file names:
# pictures after the picture options and batch, skins (folders and .wsz) after render.
_vellumkit_cli() {
  local cur prev words cword split
  _init_completion -s || return
  # Every picture extension a Qt with its image-format plugins reads (vellumkit-cli formats).
  local pictures="avif|bmp|cur|dib|gif|heic|heif|icns|ico|jpeg|jpg|jfif|pbm|pgm|png|ppm|tga|tif|tiff|wbmp|webp|xbm|xpm"
  local skin="--equaliser --playlist --layout --fit --focus --buttons-only --sink-frame --legible --colours-from-picture --background --colour --vis-colour --knob"
  local common="-q --quiet -v --verbose -h --help"
  local command="" i
  for ((i = 1; i < cword; i++)); do
    case ${words[i]} in
      -q|--quiet|-v|--verbose) ;;
      *) command=${words[i]}; break ;;
    esac
  done
  case $prev in
    --layout) COMPREPLY=($(compgen -W "three-windows two-plus-one continuous" -- "$cur")); return ;;
    --previews) if $split; then COMPREPLY=($(compgen -W "png jpg webp bmp tiff" -- "$cur")); return; fi ;;
    --install-for) COMPREPLY=($(compgen -W "audacious qmmp wine" -- "$cur")); return ;;
    --fit) COMPREPLY=($(compgen -W "stretch crop" -- "$cur")); return ;;
    --focus) COMPREPLY=($(compgen -W "0.5,0.5 0,0 1,1" -- "$cur")); return ;;
    --windows)
      COMPREPLY=($(compgen -W "main,eq,playlist main main,eq main,playlist eq eq,playlist playlist" -- "$cur")); return ;;
    --knob) COMPREPLY=($(compgen -W "main= eq= playlist=" -- "$cur")); compopt -o nospace; return ;;
    --colour)
      COMPREPLY=($(compgen -W "winBackColour= winTextColour= plNormalColour= plCurrentColour= plNormalBgColour= plSelectedBgColour= eqBackColour= eqForeColour= eqHighlightColour=" -- "$cur"))
      compopt -o nospace; return ;;
    --out-dir) _filedir -d; return ;;
    --out) if [ "$command" = render ]; then _filedir; else _filedir -d; fi; return ;;
    --main|--equaliser|--playlist)
      # render's --playlist is a list of titles, not a picture.
      if [ "$command" = render ]; then _filedir; else _filedir "$pictures"; fi; return ;;
    --wsz) _filedir wsz; return ;;
    --preview|--player-preview|--contact-sheet|--gallery|--animate|--state) _filedir; return ;;
    --shade) COMPREPLY=($(compgen -W "main eq playlist main,eq main,eq,playlist" -- "$cur")); return ;;
    --focus) COMPREPLY=($(compgen -W "main eq playlist none" -- "$cur")); return ;;
    --vis) COMPREPLY=($(compgen -W "spectrum oscilloscope off" -- "$cur")); return ;;
    --hold) COMPREPLY=($(compgen -W "play pause stop next previous eject shuffle repeat eq-toggle playlist-toggle volume balance position options minimise shade close eq-on eq-auto eq-presets eq-close eq-shade eq-preamp playlist-close playlist-shade playlist-scroll" -- "$cur")); return ;;
    --background|--vis-colour|--jobs|--scale|--size|--time|--title|--volume|--balance|--eq|--max-memory|--max-seconds|--columns|--frames|--position|--title-scroll|--kbps|--khz|--current|--selected|--playlist-scroll|--playlist-size|--vis-seed|--vis-bars) return ;;
  esac
  if [ -z "$command" ]; then
    COMPREPLY=($(compgen -W "make batch templates render formats players help --version $common" -- "$cur"))
    return
  fi
  local options
  case $command in
    make) options="--out --main --wsz --preview --player-preview --install-for --no-sync $skin $common" ;;
    batch) options="--out-dir --previews --previews= -r --recursive --no-wsz --no-folder --jobs --progress --install-for --no-sync $skin $common" ;;
    templates) options="--out --contact-sheet $common" ;;
    render) options="--out --out-dir --gallery --columns --recursive --jobs --progress --animate --frames --state --scale --size --windows --no-eq-window --no-playlist-window --shade --double --focus --time --remaining --position --title --title-scroll --kbps --khz --mono --playing --paused --stopped --volume --balance --shuffle --repeat --eq --eq-off --eq-auto --playlist --current --selected --playlist-scroll --playlist-size --vis --vis-seed --vis-bars --hold --max-memory --max-seconds $common" ;;
    formats) options="--write $common" ;;
    players) options="$common" ;;
    help) COMPREPLY=($(compgen -W "make batch templates render formats players" -- "$cur")); return ;;
  esac
  if [[ $cur == -* ]]; then
    COMPREPLY=($(compgen -W "$options" -- "$cur"))
    [[ ${COMPREPLY[0]-} == *= ]] && compopt -o nospace
  elif [ "$command" = batch ]; then
    _filedir "$pictures"
  elif [ "$command" = render ]; then
    _filedir wsz
  fi
}
complete -F _vellumkit_cli vellumkit-cli
