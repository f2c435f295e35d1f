#!/usr/bin/env Rscript
# A map trained with R's kohonen package, as the files Favomap5 draws.
#
#   Rscript kohonen_to_favomap.R MAP.rds OUT [--classes FILE]
#
# MAP.rds holds a trained kohonen object (som, xyf or supersom, saved with
# saveRDS) on a hexagonal grid.  The script writes OUT.bmu (each object's
# unit), OUT.wgt (each unit's codes) and, when there are classes, OUT.cls
# (a class per unit) and OUT.names (the class names, for --class-names):
#
#   Favomap5 --bmu OUT.bmu --option 4 --classes OUT.cls --output map.png
#
# From R, after source("kohonen_to_favomap.R"):
#   kohonen_to_favomap(som, "OUT", classes = NULL)
#
# How the rows and columns are numbered
#   kohonen numbers its units 1..xdim*ydim row by row, from the BOTTOM row up
#   (grid$pts: y grows with the unit number), xdim units a row, left to
#   right.  On a hexagonal grid every other row is shifted half a cell to the
#   right; kohonen 3 shifts rows 1, 3, 5, ... counted from the bottom, but the
#   script reads the shift from the object's own grid$pts.
#   Favomap5 counts rows 1..nRows from the TOP and columns 1..nCols from the
#   left, both from 1, and draws its even rows (2, 4, ...) half a cell to the
#   right.
#   When kohonen's top row lies left of the row below it (an even number of
#   rows, in kohonen 3), the rows are flipped and the columns kept: Favomap5's
#   row r is kohonen's row ydim + 1 - r, column c is column c, and the picture
#   is the one plot(som) shows.  Otherwise (an odd number of rows), flipping
#   the rows alone would pair the wrong units as neighbours, so the map is
#   turned half a turn (180 degrees): Favomap5's row r is kohonen's row r
#   from the bottom and its column c is kohonen's column xdim + 1 - c.  Either
#   way every unit has the same neighbours in both programs.
#
# What is written
#   OUT.bmu: "hexa", the number of objects, "ydim,xdim", then "label,row,col"
#     per object in the order of the training data.  Labels are the row
#     names of the data (the object numbers when it has none); a comma,
#     double quote, blank, tab or line end in a label becomes "_", since
#     Favomap5 splits labels there.  Objects kohonen left out for missing
#     values (na.rows) have no unit and are not written; the script names
#     them on standard error.
#   OUT.wgt: a title line, "ydim xdim nVars", then one line per unit in
#     Favomap5's row order with the codes of every layer but the class layer,
#     layer after layer (the variables in the order of the columns).
#   OUT.cls: the classes come from --classes FILE (one class per line, a
#     line per row of the training data) or, without it, from a layer kohonen
#     trained on a factor (xyf or supersom with a factor: the layer whose
#     distance is "tanimoto").  Classes are numbered 1..k in the order of the
#     factor's levels (of the sorted names for a file).  A unit takes the
#     class most of its objects have (a tie goes to the lower number); a unit
#     no object maps to gets class 0.  At most 15 classes.
#   OUT.names: the names of the classes on the map, lowest number first (the
#     order --class-names reads them), "(no object)" for class 0.
#
# Refused, with the reason: a rectangular grid (Favomap5 draws hexagons, and
# a rectangular unit's neighbours are not a hexagon's), a toroidal grid (the
# lattice has edges), more than 15 classes.

kohonen_to_favomap <- function(som, out, classes = NULL, source_name = deparse(substitute(som)),
                               inputs = character()) {
  if (!inherits(som, "kohonen")) {
    stop(source_name, ": not a kohonen map (class ", class(som)[1], ")", call. = FALSE)
  }
  grid <- som$grid
  if (grid$topo != "hexagonal") {
    stop(source_name, ": the grid is ", grid$topo, "; Favomap5 draws hexagonal maps only ",
         "(a unit of this grid has other neighbours than a hexagon has): train with ",
         "somgrid(topo = \"hexagonal\")", call. = FALSE)
  }
  if (isTRUE(grid$toroidal)) {
    stop(source_name, ": the grid is toroidal; Favomap5's lattice has edges, so the ",
         "neighbours across them would be lost: train with toroidal = FALSE", call. = FALSE)
  }
  units <- favomap_units(grid, source_name)
  objects <- mapped_objects(som)
  class_of_object <- object_classes(som, classes, objects, source_name)
  if (!is.null(class_of_object) && nlevels(class_of_object) > 15) {
    stop(source_name, ": there are ", nlevels(class_of_object), " classes; Favomap5 colours 15 ",
         "(1..15, 0 for a unit with no object)", call. = FALSE)
  }
  files <- c(bmu_text(objects, units, grid), wgt_text(som, units, grid, source_name))
  names(files) <- paste0(out, c(".bmu", ".wgt"))
  if (!is.null(class_of_object)) {
    files <- c(files, class_texts(out, class_of_object, objects, units, grid))
  }
  write_files(files, inputs)
  invisible(units)
}

# Favomap5's row and column of every kohonen unit (a data frame in unit
# order), from the unit coordinates in grid$pts.
favomap_units <- function(grid, source_name) {
  nr <- grid$ydim
  nc <- grid$xdim
  unit <- seq_len(nr * nc)
  krow <- (unit - 1) %/% nc + 1  # from the bottom
  kcol <- (unit - 1) %% nc + 1
  x <- grid$pts[, 1]
  if (any(diff(grid$pts[order(krow, kcol), 2]) < 0) || any(abs(diff(x[krow == 1]) - 1) > 1e-9)) {
    stop(source_name, ": the units are not laid out row by row from the bottom, one apart",
         call. = FALSE)
  }
  first_x <- x[kcol == 1][order(krow[kcol == 1])]  # column 1 of each row, bottom up
  turned <- nr > 1 && first_x[nr] > first_x[nr - 1]
  frow <- if (turned) krow else nr + 1 - krow
  fcol <- if (turned) nc + 1 - kcol else kcol
  # Favomap5's picture: even rows half a cell right of the odd ones.
  fx <- if (turned) -x else x
  expected <- (fcol - 1) + ifelse(frow %% 2 == 0, 0.5, 0)
  if (any(abs(fx - fx[frow == 1 & fcol == 1] - expected) > 1e-9)) {
    stop(source_name, ": the rows are not shifted alternately by half a cell", call. = FALSE)
  }
  data.frame(unit = unit, row = frow, col = fcol)
}

# The objects kohonen placed: their number in the training data, their label
# and their unit.  kohonen's data keeps only these objects.
mapped_objects <- function(som) {
  data <- som$data[[1]]
  kept <- setdiff(seq_len(nrow(data) + length(som$na.rows)), som$na.rows)
  if (length(som$na.rows) > 0) {
    message("kohonen left out objects ", paste(som$na.rows, collapse = " "),
            " (missing values): they are not in the .bmu file")
  }
  labels <- rownames(data)
  if (is.null(labels)) labels <- as.character(kept)
  labels <- gsub("[,\" \t\r\n]", "_", labels)
  labels[labels == ""] <- "_"
  data.frame(object = kept, label = labels, unit = som$unit.classif, stringsAsFactors = FALSE)
}

# The layer kohonen trained on a factor, or 0.
class_layer <- function(som) {
  layer <- which(som$dist.fcts == "tanimoto")
  if (length(layer) == 1) layer else 0
}

# The class of each object kohonen placed, as a factor, or NULL when there
# are none.  "classes" holds one per row of the training data.
object_classes <- function(som, classes, objects, source_name) {
  n <- nrow(som$data[[1]]) + length(som$na.rows)
  if (!is.null(classes)) {
    if (length(classes) != n) {
      stop(source_name, ": ", length(classes), " classes given for ", n, " objects", call. = FALSE)
    }
    return(as.factor(classes)[objects$object])
  }
  layer <- class_layer(som)
  if (layer == 0) return(NULL)
  data <- som$data[[layer]]
  levels <- colnames(data)
  picked <- apply(data, 1, function(v) if (anyNA(v)) NA_integer_ else which.max(v))
  factor(levels[picked], levels = levels)
}

crlf <- function(lines) paste0(lines, "\r\n", collapse = "")

bmu_text <- function(objects, units, grid) {
  u <- units[objects$unit, ]
  records <- sprintf("%s,%d,%d", objects$label, u$row, u$col)
  header <- c("hexa", nrow(objects), sprintf("%d,%d", grid$ydim, grid$xdim))
  crlf(c(header, records))
}

# The units in Favomap5's order: row by row from the top, left to right.
favomap_order <- function(units) order(units$row, units$col)

wgt_text <- function(som, units, grid, source_name) {
  layers <- setdiff(seq_along(som$codes), class_layer(som))
  codes <- do.call(cbind, som$codes[layers])
  rows <- apply(codes[favomap_order(units), , drop = FALSE], 1,
                function(v) paste(sprintf("%.17g", v), collapse = " "))
  title <- paste0("kohonen map ", source_name, ": ", paste(colnames(codes), collapse = " "))
  header <- c(title, sprintf("%d %d %d", grid$ydim, grid$xdim, ncol(codes)))
  crlf(c(header, rows))
}

# OUT.cls and OUT.names, named by their paths.
class_texts <- function(out, class_of_object, objects, units, grid) {
  number <- as.integer(class_of_object)
  unit_class <- vapply(seq_len(nrow(units)), function(u) {
    mine <- number[objects$unit == u & !is.na(number)]
    if (length(mine) == 0) return(0L)
    counts <- tabulate(mine, nbins = nlevels(class_of_object))
    which.max(counts)  # the first of the largest: the lower number
  }, integer(1))
  ordered <- unit_class[favomap_order(units)]
  lines <- vapply(split(ordered, rep(seq_len(grid$ydim), each = grid$xdim)),
                  paste, character(1), collapse = " ")
  on_map <- sort(unique(unit_class))
  names <- ifelse(on_map == 0, "(no object)", levels(class_of_object)[pmax(on_map, 1)])
  stats::setNames(c(crlf(lines), crlf(names)), paste0(out, c(".cls", ".names")))
}

# Writes every text of "files" (named by their paths) whole, or none of them,
# as the toolkit's programs write: refused first when an output is one of
# "inputs" or exists and is not a regular file (a device, a folder); then
# each text to a temporary beside its target (a symbolic link followed), and
# once every one is whole, each renamed into place.
write_files <- function(files, inputs = character()) {
  inputs <- normalizePath(inputs[file.exists(inputs)])
  for (path in names(files)) {
    if (!file.exists(path)) next
    # POSIX test -f: a regular file, after any link (R's own file_test takes a device).
    if (system2("test", c("-f", shQuote(path))) != 0) {
      stop(path, ": exists and is not a regular file; name another output", call. = FALSE)
    }
    if (normalizePath(path) %in% inputs) {
      stop(path, ": is one of the inputs; name another output", call. = FALSE)
    }
  }
  targets <- vapply(names(files), function(p) {
    if (file.exists(p)) normalizePath(p) else p
  }, character(1))
  temporaries <- vapply(targets, function(t) tempfile(".bridge-", tmpdir = dirname(t)),
                        character(1))
  ok <- FALSE
  on.exit(if (!ok) unlink(temporaries))
  for (k in seq_along(files)) {
    connection <- file(temporaries[[k]], "wb")
    writeChar(files[[k]], connection, eos = NULL)
    close(connection)
  }
  ok <- all(file.rename(temporaries, targets))
  if (!ok) stop("cannot put the outputs in place: ", paste(targets, collapse = ", "),
                call. = FALSE)
}

main <- function(args) {
  usage <- "usage: kohonen_to_favomap.R MAP.rds OUT [--classes FILE]"
  if (any(args %in% c("-h", "--help"))) {
    writeLines(c(usage, "",
                 "Writes OUT.bmu, OUT.wgt and, with classes (--classes FILE, one a line, or",
                 "the factor of an xyf or supersom map), OUT.cls and OUT.names for Favomap5.",
                 "The map must have a hexagonal grid; the script's header tells how its rows",
                 "and columns become Favomap5's."))
    return(invisible())
  }
  classes <- NULL
  inputs <- character()
  at <- match("--classes", args)
  if (!is.na(at)) {
    if (at == length(args)) stop(usage, call. = FALSE)
    inputs <- args[at + 1]
    classes <- trimws(readLines(args[at + 1], warn = FALSE))
    classes <- classes[classes != ""]
    args <- args[-c(at, at + 1)]
  }
  if (length(args) != 2) stop(usage, call. = FALSE)
  suppressPackageStartupMessages(library(kohonen))
  kohonen_to_favomap(readRDS(args[1]), args[2], classes, source_name = args[1],
                     inputs = c(inputs, args[1]))
}

if (sys.nframe() == 0L) {
  status <- tryCatch({
    main(commandArgs(trailingOnly = TRUE))
    0
  }, error = function(e) {
    message("kohonen_to_favomap: ", conditionMessage(e))
    1
  })
  quit(status = status)
}
