// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan

module m(a);
   input a;
   wire f;

   assign f = 1'b0;
endmodule
