# The peer of Favomap5's benchmark: R's kohonen package draws a 100 x 100
# hexagonal map with one colour per unit (the same class patches as the
# generated class file) to a PNG of the size Favomap5 makes.  No map is
# trained (training a 10,000-unit map takes kohonen seconds): the plot is
# given a map object with the grid and blank codes, as a trained map has.
#   Rscript kohonen_property.R OUT.png
suppressMessages(library(kohonen))
out <- commandArgs(trailingOnly = TRUE)[1]
grid <- somgrid(100, 100, "hexagonal")
model <- structure(list(grid = grid, codes = list(matrix(0, 10000, 2)), whatmap = 1,
                        user.weights = 1, distance.weights = 1, dist.fcts = "sumofsquares"),
                   class = "kohonen")
r <- row(matrix(0, 100, 100)) - 1
c <- col(matrix(0, 100, 100)) - 1
classes <- ((r * 7) %/% 100 + (c * 5) %/% 100) %% 16
png(out, width = 1147, height = 995)
plot(model, type = "property", property = as.vector(t(classes)), main = "", shape = "straight")
invisible(dev.off())
