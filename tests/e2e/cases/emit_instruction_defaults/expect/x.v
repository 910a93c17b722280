// This file was translated at Mon Jan  1 00:00:00 2024
//  via sflc program written by kurotan

module m(m_clock, p_reset, o, i);
   input m_clock;
   input p_reset;
   output [3:0] o;
   wire [1:0] s;
   input i;

   assign o = 4'b0;

   assign s = 2'b0;
endmodule
