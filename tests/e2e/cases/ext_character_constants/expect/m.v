// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan
`define NL 8'h0A

module m(m_clock, p_reset, c, letter, digit, sum, quote, blank, slash);
   input m_clock;
   input p_reset;
   input [7:0] c;
   output [7:0] letter;
   output digit;
   output [7:0] sum;
   output [7:0] quote;
   output [7:0] blank;
   output [7:0] slash;

   assign letter = 8'h41;

   assign digit = ((c>=8'h30)&(c<=8'h39));

   assign sum = (c+`NL);

   assign quote = (8'h27|8'h5C);

   assign blank = 8'h20;

   assign slash = 8'h2F;
endmodule
